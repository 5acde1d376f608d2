# Tests of src/platform.
target_sources(vexel_core_tests PRIVATE
  platform/AtomicFileWriterTest.cpp
  platform/Cp932Test.cpp
  platform/ProfileFileTest.cpp
  platform/PrivateRuntimeDirTest.cpp
  platform/ProgramPathsTest.cpp
)
