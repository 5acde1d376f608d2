# A full repaint of the hex pane on Qt's offscreen platform.
add_executable(bench_repaint ${CMAKE_CURRENT_LIST_DIR}/bench_repaint.cpp)
target_link_libraries(bench_repaint PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_repaint)
