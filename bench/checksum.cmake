# The checksum command's four sums over a 50 MiB selection, beside SHA-256
# alone; compare_checksum.sh times sha256sum on the same bytes.
# `bench_checksum --make-data FILE` writes those bytes.
add_executable(bench_checksum ${CMAKE_CURRENT_LIST_DIR}/bench_checksum.cpp)
target_link_libraries(bench_checksum PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_checksum)
