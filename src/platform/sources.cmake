# Sources of src/platform: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_core PRIVATE
  platform/AtomicFile.cpp
  platform/CAtomicFileWriter.cpp
  platform/Cp932.cpp
  platform/Cp932Encode.cpp
  platform/IconvConverter.cpp
  platform/Messages.cpp
  platform/ProfileFile.cpp
  platform/ProfileText.cpp
  platform/ProgramPaths.cpp
  platform/StringTable.cpp
)
target_sources(vexel_core PRIVATE platform/DisplayCheck.cpp)
target_sources(vexel_gui PRIVATE platform/CellTextOut.cpp)
target_sources(vexel_core PRIVATE platform/VirtualKeys.cpp)
target_sources(vexel_core PRIVATE platform/PrivateRuntimeDir.cpp)
