#include "app/CLumoApp.h"

#include "app/Settings.h"
#include "frame/CMainFrame.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"

CLumoApp::CLumoApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Vexel"));
    paths::SetExecutablePath(QCoreApplication::applicationFilePath().toStdString());
    if (argc >= 2)
        m_strFileArgument = argv[1];
}

CLumoApp::~CLumoApp()
{
    SetMessageSink(nullptr);
}

int CLumoApp::run()
{
    if (!initInstance())
        return 1;
    const int status = exec();
    exitInstance();
    return status;
}

bool CLumoApp::initInstance()
{
    SetMessageSink(&m_messageSink);
    m_pProfile = std::make_unique<CProfileFile>(paths::ProfileFilePath());
    LoadSettings(*m_pProfile);
    ApplyLimits();

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_strFileArgument.empty())
        m_pMainFrame->openDocument(m_strFileArgument);
    else
        m_pMainFrame->newDocument();
    m_pMainFrame->show();
    return true;
}

void CLumoApp::exitInstance()
{
    m_pMainFrame.reset();
    if (!SaveSettings(*m_pProfile))
        MessageBeep(-1);
}
