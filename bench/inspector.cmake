# The data inspector's update on a caret move, beside the same move with the panel hidden.
add_executable(bench_inspector ${CMAKE_CURRENT_LIST_DIR}/bench_inspector.cpp)
target_link_libraries(bench_inspector PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_inspector)
