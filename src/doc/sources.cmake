# Sources of src/doc: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_core PRIVATE
  doc/CDocumentBase.cpp
  doc/CEditJournal.cpp
  doc/CabinetSettings.cpp
  doc/AttributeFile.cpp
  doc/CFileImage.cpp
  doc/CLumoDoc.cpp
  doc/CLumoDocEdit.cpp
  doc/CLumoDocFile.cpp
  doc/DocumentUi.cpp
  doc/TextNormaliser.cpp
)
target_sources(vexel_gui PRIVATE doc/ViewFont.cpp)
target_sources(vexel_gui PRIVATE doc/CDocTemplate.cpp doc/CLumoMCW.cpp doc/CLumoView.cpp)
