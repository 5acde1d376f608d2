# Sources of src/binpane: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_core PRIVATE binpane/DumpScroll.cpp)
target_sources(vexel_gui PRIVATE binpane/CLumoBV.cpp)
target_sources(vexel_core PRIVATE
  binpane/DocDumpSource.cpp
  binpane/DumpGeometry.cpp
  binpane/DumpKanjiRow.cpp
  binpane/DumpLayout.cpp
  binpane/DumpLookBack.cpp
  binpane/DumpUtf16Row.cpp
)
