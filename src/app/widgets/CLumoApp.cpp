#include "app/widgets/CLumoApp.h"

#include "app/widgets/CInstanceChannel.h"
#include "app/InstanceMessage.h"
#include "app/widgets/ProgramDataLink.h"
#include "app/widgets/QtTranslations.h"
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "frame/KeyFile.h"
#include "frame/widgets/CMainFrame.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "frame/widgets/CabinetDocuments.h"
#include "frame/widgets/Resources.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"
#include "platform/widgets/CLumoFileDialog.h"
#include "textpane/RulerScale.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <filesystem>

namespace {
// A cabinet argument is taken when it has 1 to 259 characters.
constexpr size_t kMaxCabinetArgument = 259;
} // namespace

CLumoApp::CLumoApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Vexel"));
    // Ties the windows to the installed menu entry and its icon.
    setDesktopFileName(QStringLiteral("vexel"));
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
    connect(m_pMainFrame.get(), &CMainFrame::closing, this, [this] {
        if (!writeCabinet())
            MessageBeep(-1);
    });
    connect(m_pMainFrame.get(), &CMainFrame::cabinetSettingsChanged, this, [this] {
        if (g_settings.CabinetSave && !writeCabinet())
            MessageBeep(-1);
    });
    m_pMainFrame->layOutToolBar(DataToolbarButtons());
    connect(m_pMainFrame.get(), &CMainFrame::customized, this, [this] { ApplyCustomization(*m_pMainFrame); });
    m_pMainFrame->showWithPlacement();
    if (m_pChannel)
        serveInstanceChannel();

    if (!m_commandLine.cabinet.empty() && m_commandLine.cabinet.size() <= kMaxCabinetArgument)
        g_settings.cabinetPath = m_commandLine.cabinet;
    g_nNextDocMode = CLumoDoc::kBinaryMode;
    const bool cabinetLoaded = loadCabinet();
    openFirstDocuments(cabinetLoaded);
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

bool CLumoApp::loadCabinet()
{
    bool loaded = false;
    if (!g_settings.cabinetPath.empty()) {
        if (auto content = LoadCabinet(g_settings.cabinetPath, ruler::PaletteColour)) {
            m_cabinet = std::move(*content);
            g_cabinet = m_cabinet.settings;
            loaded = true;
        } else {
            std::error_code ec;
            m_bCabinetUnread = std::filesystem::exists(g_settings.cabinetPath, ec);
        }
    }
    const CabinetFilterList& filters =
        m_cabinet.filters[std::clamp<size_t>(static_cast<size_t>(g_cabinet.nDocumentType), 0, 2)];
    QStringList names;
    for (const std::string& name : DialogNameFilters(filters))
        names.push_back(QString::fromStdString(name));
    CLumoFileDialog::SetNameFilters(names);
    if (loaded && g_settings.InitialCabinetMode == 0)
        RestoreCabinetDocuments(m_pMainFrame->docTemplate(), *m_pMainFrame->mdiArea(),
                                *m_pMainFrame->frameStatusBar(), m_cabinet.documents);
    return loaded;
}

void CLumoApp::openFirstDocuments(bool cabinetLoaded)
{
    const bool opensFile = !m_commandLine.file.empty();
    if (opensFile)
        m_pMainFrame->openHandedOverFile(QString::fromStdString(m_commandLine.file), m_commandLine.line,
                                         m_commandLine.column);
    else if (!cabinetLoaded && !g_settings.InvokeWithoutUntitled)
        m_pMainFrame->newBinaryDocument();
    QMdiSubWindow* active = m_pMainFrame->mdiArea()->activeSubWindow();
    if (active && (opensFile || !cabinetLoaded))
        active->showMaximized();
    g_nNextDocMode = CLumoDoc::kTextMode;
    if (!active && !g_settings.InvokeWithoutUntitled) {
        m_pMainFrame->newBinaryDocument();
        if (QMdiSubWindow* created = m_pMainFrame->mdiArea()->activeSubWindow())
            created->showMaximized();
    }
}

bool CLumoApp::writeCabinet()
{
    const std::string& cabinet = g_settings.cabinetPath;
    if (cabinet.empty())
        return true;
    if (m_bCabinetUnread) {
        std::error_code ec;
        std::filesystem::rename(cabinet, cabinet + ".unread", ec);
        if (ec)
            return false;
        m_bCabinetUnread = false;
    }
    m_cabinet.settings = g_cabinet;
    m_cabinet.documents = CollectCabinetDocuments(m_pMainFrame->docTemplate(), *m_pMainFrame->mdiArea());
    return SaveCabinet(cabinet, m_cabinet);
}

void CLumoApp::exitInstance()
{
    if (m_bSkipExit)
        return;
    if (m_pChannel)
        m_pChannel->stop();
    if (!SaveSettings(*m_pProfile) || !m_recentFiles.save(*m_pProfile))
        MessageBeep(-1);
    SaveProgramData();
}
