# Find in a 50 MiB document (with and without case, with an any-byte
# position) beside memmem on the same bytes, and replace all of 10,000 hits
# beside one plain rewriting pass. `bench_find --make-data FILE` writes the
# bytes that compare_find.sh gives grep.
add_executable(bench_find ${CMAKE_CURRENT_LIST_DIR}/bench_find.cpp)
target_link_libraries(bench_find PRIVATE vexel_core benchmark::benchmark)
add_dependencies(vexel_bench bench_find)
