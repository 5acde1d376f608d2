# Tests of src/app.
target_sources(vexel_core_tests PRIVATE app/SettingsTest.cpp)
target_sources(vexel_core_tests PRIVATE app/DumpCommandTest.cpp)
target_sources(vexel_core_tests PRIVATE app/CommandLineTest.cpp)
