# Tests of src/binpane.
target_sources(vexel_core_tests PRIVATE binpane/DumpScrollTest.cpp)
target_sources(vexel_gui_tests PRIVATE binpane/CLumoBVTest.cpp)
target_sources(vexel_core_tests PRIVATE
  binpane/DumpCodesTest.cpp
  binpane/DumpLayoutTest.cpp
  binpane/DumpLookBackTest.cpp
)
