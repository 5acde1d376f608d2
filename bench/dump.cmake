# The dump text of a 50 MiB file in each character code, beside a plain loop
# writing the same Shift-JIS format. `bench_dump --make-data FILE` writes the
# file that compare_dump.sh times the program and xxd on.
add_executable(bench_dump ${CMAKE_CURRENT_LIST_DIR}/bench_dump.cpp)
target_link_libraries(bench_dump PRIVATE vexel_core benchmark::benchmark)
add_dependencies(vexel_bench bench_dump)
