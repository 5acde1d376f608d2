# The byte store and the document's file transfer: typing into a 50 MiB image
# beside a vector, and loading and saving 50 MiB beside raw stdio.
add_executable(bench_image
  ${CMAKE_CURRENT_LIST_DIR}/image_insert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
)
target_link_libraries(bench_image PRIVATE vexel_core benchmark::benchmark benchmark::benchmark_main)
add_dependencies(vexel_bench bench_image)
