# Sources of src/app: window-free files go to vexel_core, widgets to vexel_gui.
target_sources(vexel_core PRIVATE
  app/DumpCommand.cpp
  app/DumpWriter.cpp
  app/Settings.cpp
)
target_sources(vexel_gui PRIVATE app/CDialogMessageSink.cpp app/CLumoApp.cpp)
target_sources(vexel_core PRIVATE app/CommandLine.cpp)
target_sources(vexel_core PRIVATE app/RecentFileList.cpp)
target_sources(vexel_gui PRIVATE app/CLumoFileDialog.cpp)
target_sources(vexel_core PRIVATE app/InstanceMessage.cpp)
target_sources(vexel_gui PRIVATE app/CInstanceChannel.cpp)
target_sources(vexel_gui PRIVATE app/QtTranslations.cpp)
