// The program's main window: the MDI area with one child window per view, the
// menu bars, the toolbar with the find box, the status bar, the document tab
// bar, dropped files and the window placement. It is also the document's
// link to the windows (file dialog, wait cursor, tab bar).
#pragma once

#include "doc/DocumentUi.h"
#include "frame/MenuTable.h"

#include <QMainWindow>
#include <QUrl>

#include <memory>
#include <span>
#include <string>

class CCommandActions;
class CDocTabBar;
class CDocTemplate;
class CFindController;
class CFrameStatusBar;
class CHelpWindow;
class CInspectorDock;
class CLumoDoc;
class CLumoEV;
class CLumoMCW;
class CLumoView;
class CMainToolBar;
class CProfileFile;
class CPrintCommands;
class CReportCommands;
class CRecentFileList;
class QMdiArea;

class CMainFrame : public QMainWindow, public CDocumentUi
{
    Q_OBJECT

public:
    CMainFrame(CProfileFile& profile, CRecentFileList& recentFiles);
    ~CMainFrame() override;

    CDocTemplate& docTemplate() const { return *m_pTemplate; }
    CCommandActions& commands() const { return *m_pActions; }
    CFrameStatusBar* frameStatusBar() const { return m_pStatusBar; }
    CDocTabBar* tabBar() const { return m_pTabBar; }
    QMdiArea* mdiArea() const { return m_pMdiArea; }
    CInspectorDock* inspector() const { return m_pInspector; }

    // The toolbar's buttons (0: separator, cmd::FindBox: the find box).
    void layOutToolBar(std::span<const uint16_t> buttons);

    // Shows the frame with its stored placement ("WindowPos").
    void showWithPlacement();

    // Opens path as a binary document (the file commands, the command line,
    // a drop, a second start); null when it cannot be read.
    CLumoDoc* openBinaryDocument(const std::string& path);
    CLumoDoc* newBinaryDocument();
    // Opens path as a text document with the caret on logical line `line`
    // and column (counted from 1, as /L and /C give them); null when it
    // cannot be read.
    CLumoDoc* openTextDocument(const std::string& path, int line, int column);
    // A tag line was double-clicked: its file opens as a text document at
    // its line, which is shown on the tag-origin background.
    void jumpToTag(const std::string& path, int line);
    // The text pane's shortcut menu at globalPos; its commands run as menu commands do.
    void showContextMenu(const QPoint& globalPos);
    // A file of the command line or of a later start: with a line (/L) a text
    // document there, else a binary document; the frame comes to the front.
    void openHandedOverFile(const QString& path, int line = 0, int column = 0);
    // What a drop of these files onto the frame does.
    void openDroppedFiles(const QList<QUrl>& urls);

    // Runs a command as its menu item or key would.
    bool runCommand(uint16_t id);
    CommandContext commandContext() const;

    void refreshTabBar();
    void redrawAllViews();

    // CDocumentUi
    bool promptSaveFileName(std::string& name) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    void documentStateChanged(CLumoDoc& doc) override;
    void addToRecentFiles(const std::string& path) override;

signals:
    // The frame is about to close, before any document is asked about: the
    // cabinet takes the list of open documents now.
    void closing();
    // A setting the cabinet keeps (the display font) changed.
    void cabinetSettingsChanged();
    // The customise sheet closed with OK: the key table and menus are updated
    // and written; what the program data file holds is the caller's to apply.
    void customized();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMdiArea();
    void createActions();
    void createToolBar();
    void createStatusBar();
    void createTabBar();
    void createFindController();
    void createInspector();
    void routeFind(uint16_t id);
    void findInText(CLumoEV& pane, uint16_t id);
    void applyBarSettings();

    void onCommand(uint16_t id);
    void adoptFrame(CLumoMCW* frame);
    void watchPane(CLumoMCW* frame);
    void routeToView(uint16_t id);
    void onRulerToggle(uint16_t id);
    void onFileOpen();
    void onRecentFile(size_t index);
    void onFavouriteDirectory(int index);
    void onCodeSwitch();
    void onDisplayFont();
    void onCommonSettings();
    void onPageLayout();
    void onReadOnly();
    void onHelp();
    void onAbout();
    void arrangeIcons();
    void onActiveViewChanged();
    void updateTitle();
    void updateCommandStates();
    void scheduleSelectionFacts();
    bool translateKey(QObject* watched, QKeyEvent* event);

    CLumoView* activeView() const;
    CLumoDoc* activeDocument() const;
    void savePlacement();

    CProfileFile& m_profile;
    CRecentFileList& m_recentFiles;
    QMdiArea* m_pMdiArea = nullptr;
    std::unique_ptr<CDocTemplate> m_pTemplate;
    CCommandActions* m_pActions = nullptr;
    CMainToolBar* m_pToolBar = nullptr;
    CFrameStatusBar* m_pStatusBar = nullptr;
    CDocTabBar* m_pTabBar = nullptr;
    CFindController* m_pFindController = nullptr;
    CReportCommands* m_pReports = nullptr;
    CPrintCommands* m_pPrints = nullptr;
    CHelpWindow* m_pHelpWindow = nullptr; // made on the first help command
    CInspectorDock* m_pInspector = nullptr;
    bool m_bMenuWithDocument = false;
    bool m_bClipboardHasText = false; // kept from the clipboard's change signal
    bool m_bClosing = false;
    bool m_bSelectionFactsDue = false;
};
