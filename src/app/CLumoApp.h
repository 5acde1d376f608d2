// The application object: brings the program up in a fixed order and writes
// the settings back when it ends.
#pragma once

#include "app/CDialogMessageSink.h"

#include <QApplication>

#include <memory>
#include <string>

class CProfileFile;
class CMainFrame;

class CLumoApp : public QApplication
{
public:
    CLumoApp(int& argc, char** argv);
    ~CLumoApp() override;

    // Start-up, the event loop, shutdown; answers the exit status.
    int run();

private:
    bool initInstance();
    void exitInstance();

    CDialogMessageSink m_messageSink;
    std::unique_ptr<CProfileFile> m_pProfile;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::string m_strFileArgument;
};
