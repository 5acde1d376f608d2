# Sources of src/frame: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_gui PRIVATE
  frame/CMainFrame.cpp
)
