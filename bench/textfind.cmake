# The text find's pattern matcher over 50 MiB of Shift-JIS text for absent
# strings beside memmem on the same bytes; `bench_textfind --make-data FILE`
# writes the text that compare_textfind.sh gives grep.
add_executable(bench_textfind ${CMAKE_CURRENT_LIST_DIR}/bench_textfind.cpp)
target_link_libraries(bench_textfind PRIVATE vexel_core benchmark::benchmark)
add_dependencies(vexel_bench bench_textfind)
