# The compare report of two 50 MiB buffers differing in one byte every 4 KiB,
# beside a plain loop that only finds the differing lines.
# `bench_compare --make-data FILE1 FILE2` writes the files compare_compare.sh
# times the program and cmp on.
add_executable(bench_compare ${CMAKE_CURRENT_LIST_DIR}/bench_compare.cpp)
target_link_libraries(bench_compare PRIVATE vexel_core benchmark::benchmark)
add_dependencies(vexel_bench bench_compare)

# The compare command's fill of its result document: the report over two
# 50 MiB documents appended to a text document shown in a text pane.
add_executable(bench_compare_fill ${CMAKE_CURRENT_LIST_DIR}/bench_compare_fill.cpp)
target_link_libraries(bench_compare_fill PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_compare_fill)
