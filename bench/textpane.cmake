# The text pane on Qt's offscreen platform: a full repaint with colouring, and
# Ctrl+End on a long text.
add_executable(bench_textpane ${CMAKE_CURRENT_LIST_DIR}/bench_textpane.cpp)
target_link_libraries(bench_textpane PRIVATE vexel_gui benchmark::benchmark)
add_dependencies(vexel_bench bench_textpane)
