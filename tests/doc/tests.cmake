# Tests of src/doc.
target_sources(vexel_core_tests PRIVATE
  doc/AttributeFileTest.cpp
  doc/CEditJournalTest.cpp
  doc/CFileImageTest.cpp
  doc/CLumoDocTest.cpp
  doc/DocumentLoadTest.cpp
  doc/DocumentSaveTest.cpp
)
