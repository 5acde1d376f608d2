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
  binpane/StreamDumpSource.cpp
)
target_sources(vexel_core PRIVATE
  binpane/BytePattern.cpp
  binpane/ByteSearch.cpp
  binpane/CByteMatcher.cpp
  binpane/FindHistory.cpp
  binpane/JumpText.cpp
  binpane/ReplaceAll.cpp
)
target_sources(vexel_core PRIVATE
  binpane/BinaryClipboard.cpp
  binpane/CBinaryCaretModel.cpp
  binpane/CBinaryEditModel.cpp
  binpane/CBinaryPaneModel.cpp
)
target_sources(vexel_core PRIVATE
  binpane/CBinaryFinder.cpp
  binpane/CDocReplaceTarget.cpp
)
target_sources(vexel_gui PRIVATE
  binpane/CFindController.cpp
  binpane/CFindDialog.cpp
  binpane/CJumpDialog.cpp
  binpane/CReplaceDialog.cpp
)
