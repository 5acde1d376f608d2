# The first page of a print preview of a large document, beside a small one.
add_executable(bench_print ${CMAKE_CURRENT_LIST_DIR}/bench_print.cpp)
target_link_libraries(bench_print PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_print)
