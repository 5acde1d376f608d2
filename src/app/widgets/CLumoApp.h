// The application object: brings the program up in a fixed order (profile,
// single-instance hand-off, settings, main frame, command line, first
// documents) and writes the settings back when it ends.
#pragma once

#include "platform/widgets/CDialogMessageSink.h"
#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "doc/CabinetFile.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

class CInstanceChannel;
class CMainFrame;
class CProfileFile;

class CLumoApp : public QApplication
{
    Q_OBJECT

public:
    CLumoApp(int& argc, char** argv);
    ~CLumoApp() override;

    // Start-up, the event loop, shutdown; answers the exit status.
    int run();

    CMainFrame* mainFrame() const { return m_pMainFrame.get(); }

private:
    bool initInstance();
    // True when a running instance took this start's files (or, without
    // files, answered at all): this process then ends at once.
    bool handOverToRunningInstance();
    void openFirstDocuments(bool cabinetLoaded);
    // The cabinet in use: its settings, its filter lists and, unless
    // InitialCabinetMode says otherwise, its documents. False when it could not be read.
    bool loadCabinet();
    // The cabinet with the documents open now; false when it could not be written.
    bool writeCabinet();
    // Files that a later start hands over open in the frame.
    void serveInstanceChannel();
    void exitInstance();

    CDialogMessageSink m_messageSink;
    std::unique_ptr<CProfileFile> m_pProfile;
    std::unique_ptr<CInstanceChannel> m_pChannel;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    CRecentFileList m_recentFiles;
    CommandLine m_commandLine;
    // The cabinet as last read: what is written back besides the settings in effect.
    CabinetContent m_cabinet;
    // The cabinet file is there but in no layout the program reads: when the
    // cabinet is written it is kept beside the new one (".unread"), never written over, since
    // it may be a newer program's or a damaged file the user wants back.
    bool m_bCabinetUnread = false;
    bool m_bSkipExit = false;
};
