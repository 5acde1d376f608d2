# Sources of src/frame: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_gui PRIVATE
  frame/CMainFrame.cpp
)
target_sources(vexel_core PRIVATE frame/KeyTable.cpp frame/MenuTable.cpp frame/TabTitle.cpp)
target_sources(vexel_gui PRIVATE frame/CCommandActions.cpp frame/CDocTabBar.cpp frame/CFrameStatusBar.cpp
  frame/CMainToolBar.cpp frame/FocusedTextField.cpp)
target_sources(vexel_gui PRIVATE frame/CAboutDialog.cpp frame/CHelpWindow.cpp frame/Resources.cpp
  ${CMAKE_SOURCE_DIR}/resources/vexel.qrc)
