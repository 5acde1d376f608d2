# Tests of src/binpane.
target_sources(vexel_core_tests PRIVATE binpane/DumpScrollTest.cpp)
target_sources(vexel_gui_tests PRIVATE binpane/CLumoBVTest.cpp)
target_sources(vexel_core_tests PRIVATE
  binpane/DumpCodesTest.cpp
  binpane/DumpLayoutTest.cpp
  binpane/DumpLookBackTest.cpp
)
target_sources(vexel_core_tests PRIVATE
  binpane/BytePatternTest.cpp
  binpane/FindBytesTest.cpp
  binpane/FindHistoryTest.cpp
  binpane/JumpTextTest.cpp
  binpane/ReplaceAllTest.cpp
)
target_sources(vexel_core_tests PRIVATE
  binpane/PaneClipboardTest.cpp
  binpane/PaneEditRandomTest.cpp
  binpane/PaneEditTest.cpp
  binpane/PaneNavigationTest.cpp
)
target_sources(vexel_core_tests PRIVATE binpane/CBinaryFinderTest.cpp)
target_sources(vexel_gui_tests PRIVATE binpane/HexPaneInputTest.cpp)
target_sources(vexel_gui_tests PRIVATE binpane/FindDialogsTest.cpp)
