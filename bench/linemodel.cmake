# The text pane's row table for a 50 MiB Shift-JIS text: the whole build and
# a one-byte edit in the first line. `bench_linemodel --make-data FILE` writes
# the text and `--wrap FILE` loads and wraps it once, which compare_linemodel.sh
# times beside fold on the same file.
add_executable(bench_linemodel ${CMAKE_CURRENT_LIST_DIR}/bench_linemodel.cpp)
target_link_libraries(bench_linemodel PRIVATE vexel_core benchmark::benchmark)
add_dependencies(vexel_bench bench_linemodel)
