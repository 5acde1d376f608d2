# Tests of src/frame.
target_sources(vexel_core_tests PRIVATE frame/KeyTableTest.cpp frame/MenuTableTest.cpp frame/TabTitleTest.cpp)
target_sources(vexel_gui_tests PRIVATE frame/MainFrameTest.cpp frame/UserPathTest.cpp)
target_sources(vexel_gui_tests PRIVATE frame/ResourcesTest.cpp)
