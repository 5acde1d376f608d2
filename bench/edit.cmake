# Typing, undo and deleting everything in a 50 MiB document through the hex
# pane's model, the path a key press takes (no window), beside a vector.
add_executable(bench_edit ${CMAKE_CURRENT_LIST_DIR}/bench_edit.cpp)
target_link_libraries(bench_edit PRIVATE vexel_core benchmark::benchmark benchmark::benchmark_main)
add_dependencies(vexel_bench bench_edit)
