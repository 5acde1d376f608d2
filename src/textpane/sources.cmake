# Sources of src/textpane: window-free files go to vexel_core, widgets to vexel_gui.
