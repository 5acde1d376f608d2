# Tests of src/app.
target_sources(vexel_core_tests PRIVATE app/SettingsTest.cpp)
target_sources(vexel_core_tests PRIVATE app/DumpCommandTest.cpp app/DumpWriterTest.cpp)
target_sources(vexel_core_tests PRIVATE app/CommandLineTest.cpp)
target_sources(vexel_core_tests PRIVATE app/InstanceMessageTest.cpp)
target_sources(vexel_gui_tests PRIVATE app/InstanceChannelTest.cpp)
target_sources(vexel_gui_tests PRIVATE app/HandOverTest.cpp)
target_sources(vexel_gui_tests PRIVATE app/QtTranslationsTest.cpp)
