# Start-up to the first painted frame with a cabinet of 30 documents, beside an empty start.
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_startup)
