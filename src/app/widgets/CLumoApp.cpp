#include "app/widgets/CLumoApp.h"

#include "app/widgets/CInstanceChannel.h"
#include "app/InstanceMessage.h"
#include "app/widgets/ProgramDataLink.h"
#include "app/widgets/QtTranslations.h"
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "frame/KeyFile.h"
#include "frame/widgets/CMainFrame.h"
#include "frame/widgets/Resources.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"
#include "textpane/RulerScale.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <filesystem>

namespace {
// A cabinet argument is taken when it has 1 to 259 characters.
constexpr size_t kMaxCabinetArgument = 259;
} // namespace

CLumoApp::CLumoApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Vexel"));
    // Without the translations Qt's dialogs stay English; nothing else is lost.
    (void)InstallQtTranslations();
    paths::SetExecutablePath(QCoreApplication::applicationFilePath().toStdString());
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    m_commandLine = ParseCommandLine(arguments);
}

CLumoApp::~CLumoApp()
{
    m_pMainFrame.reset();
    SetMultiInstanceHook({});
    SetMessageSink(nullptr);
}

int CLumoApp::run()
{
    if (!initInstance())
        return m_bSkipExit ? 0 : 1;
    const int status = exec();
    exitInstance();
    return status;
}

bool CLumoApp::initInstance()
{
    SetMessageSink(&m_messageSink);
    InitResources();
    m_pProfile = std::make_unique<CProfileFile>(paths::ProfileFilePath());
    if (handOverToRunningInstance()) {
        m_bSkipExit = true;
        return false;
    }

    LoadSettings(*m_pProfile);
    ApplyLimits();
    LoadProgramData();
    LoadKeyDefinitions(); // before the frame writes the key names into its menus
    m_recentFiles.load(*m_pProfile);
    SetMultiInstanceHook([this](int multiInstance) {
        if (!m_pChannel) {
            m_pChannel = std::make_unique<CInstanceChannel>();
            serveInstanceChannel();
        }
        if (!m_pChannel->setServing(multiInstance == 0))
            MessageBeep(-1);
    });

    m_pMainFrame = std::make_unique<CMainFrame>(*m_pProfile, m_recentFiles);
    m_pMainFrame->layOutToolBar(DataToolbarButtons());
    connect(m_pMainFrame.get(), &CMainFrame::customized, this, [this] { ApplyCustomization(*m_pMainFrame); });
    m_pMainFrame->showWithPlacement();
    if (m_pChannel)
        serveInstanceChannel();

    if (!m_commandLine.cabinet.empty() && m_commandLine.cabinet.size() <= kMaxCabinetArgument)
        g_settings.cabinetPath = m_commandLine.cabinet;
    loadCabinet();
    openFirstDocuments();
    return true;
}

void CLumoApp::serveInstanceChannel()
{
    connect(m_pChannel.get(), &CInstanceChannel::openRequested, m_pMainFrame.get(),
            &CMainFrame::openHandedOverFile);
}

bool CLumoApp::handOverToRunningInstance()
{
    if (m_pProfile->getInt(kSettingsSection, "MultiInstance", 1) != 0)
        return false;
    m_pChannel = std::make_unique<CInstanceChannel>();
    // Without a directory only this user can enter, a socket found could be
    // anyone's: run on our own, without serving either.
    if (!m_pChannel->isUsable())
        return false;
    if (m_commandLine.file.empty()) {
        if (m_pChannel->tryHandOver({})) {
            MessageBeep(-1); // a second start without a file has nothing to hand over
            return true;
        }
    } else {
        std::vector<std::string> names = MatchFiles(m_commandLine.file, kMaxHandOverNames);
        if (names.empty())
            names.push_back(m_commandLine.file);
        if (m_pChannel->tryHandOver(names, m_commandLine.line, m_commandLine.column))
            return true;
    }
    // Nobody answered: this instance becomes the one that serves.
    if (!m_pChannel->listen())
        MessageBeep(-1);
    return false;
}

void CLumoApp::loadCabinet()
{
    if (g_settings.cabinetPath.empty())
        return;
    if (auto content = LoadCabinet(g_settings.cabinetPath, ruler::PaletteColour)) {
        m_cabinet = std::move(*content);
        g_cabinet = m_cabinet.settings;
        return;
    }
    std::error_code ec;
    m_bCabinetUnread = std::filesystem::exists(g_settings.cabinetPath, ec);
}

void CLumoApp::openFirstDocuments()
{
    // The cabinet's documents are not reopened yet, so its load counts as
    // failed here: only the command line and InvokeWithoutUntitled decide.
    if (!m_commandLine.file.empty())
        m_pMainFrame->openHandedOverFile(QString::fromStdString(m_commandLine.file), m_commandLine.line,
                                         m_commandLine.column);
    else if (!g_settings.InvokeWithoutUntitled)
        m_pMainFrame->newBinaryDocument();
    if (QMdiSubWindow* active = m_pMainFrame->mdiArea()->activeSubWindow())
        active->showMaximized();
}

void CLumoApp::exitInstance()
{
    if (m_bSkipExit)
        return;
    if (m_pChannel)
        m_pChannel->stop();
    m_cabinet.settings = g_cabinet;
    std::error_code ec;
    const std::string& cabinet = g_settings.cabinetPath;
    if (m_bCabinetUnread)
        std::filesystem::rename(cabinet, cabinet + ".unread", ec);
    const bool cabinetSaved = cabinet.empty() || (!ec && SaveCabinet(cabinet, m_cabinet));
    if (!SaveSettings(*m_pProfile) || !m_recentFiles.save(*m_pProfile) || !cabinetSaved)
        MessageBeep(-1);
    SaveProgramData();
}
