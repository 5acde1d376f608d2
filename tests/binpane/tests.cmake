# Tests of src/binpane.
target_sources(vexel_core_tests PRIVATE
  binpane/BytePatternTest.cpp
  binpane/CBinaryFinderTest.cpp
  binpane/DumpCodesTest.cpp
  binpane/DumpLayoutTest.cpp
  binpane/DumpLookBackTest.cpp
  binpane/DumpScrollTest.cpp
  binpane/FindBytesTest.cpp
  binpane/FindHistoryTest.cpp
  binpane/JumpTextTest.cpp
  binpane/PaneClipboardTest.cpp
  binpane/PaneEditRandomTest.cpp
  binpane/PaneEditTest.cpp
  binpane/PaneNavigationTest.cpp
  binpane/ReplaceAllTest.cpp
)
target_sources(vexel_gui_tests PRIVATE
  binpane/FindDialogsTest.cpp
  binpane/HexPaneInputTest.cpp
)
