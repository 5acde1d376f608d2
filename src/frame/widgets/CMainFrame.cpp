#include "frame/widgets/CMainFrame.h"

#include "platform/widgets/CLumoFileDialog.h"
#include "platform/widgets/WindowPlacementOf.h"
#include "app/ProgramData.h"
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "binpane/BinaryClipboard.h"
#include "binpane/BytePattern.h"
#include "binpane/FindHistory.h"
#include "binpane/widgets/CFindController.h"
#include "binpane/widgets/CFindDialog.h"
#include "binpane/widgets/CLumoBV.h"
#include "textpane/widgets/CLumoEV.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "doc/widgets/CLumoMCW.h"
#include "doc/widgets/CLumoView.h"
#include "frame/widgets/CAboutDialog.h"
#include "frame/widgets/CChecksumDialog.h"
#include "frame/widgets/CCommandActions.h"
#include "frame/widgets/CCommonSettingsDialog.h"
#include "frame/CommonSettings.h"
#include "frame/widgets/CCustomizeSheet.h"
#include "frame/widgets/CDocTabBar.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "frame/widgets/CHelpWindow.h"
#include "frame/widgets/CInspectorDock.h"
#include "frame/widgets/CMainToolBar.h"
#include "frame/widgets/CPrintCommands.h"
#include "frame/widgets/CReportCommands.h"
#include "frame/widgets/CPageLayoutDialog.h"
#include "frame/widgets/FontRecordDialog.h"
#include "frame/widgets/FocusedTextField.h"
#include "frame/KeyTable.h"
#include "frame/SelectionFacts.h"
#include "frame/widgets/Resources.h"
#include "platform/Messages.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"
#include "platform/widgets/WaitCursor.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {
// The hint that only redraws every view.
constexpr int kHintRedraw = 33;
} // namespace

CMainFrame::CMainFrame(CProfileFile& profile, CRecentFileList& recentFiles)
    : m_profile(profile)
    , m_recentFiles(recentFiles)
{
    setWindowTitle(QStringLiteral("Vexel"));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    createMdiArea();
    createActions();
    createToolBar();
    createStatusBar();
    createTabBar();
    createFindController();
    createInspector();
    applyBarSettings();
    SetDocumentUi(this);
    qApp->installEventFilter(this);
    onActiveViewChanged();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    m_pTemplate->CloseAllDocuments();
    SetDocumentUi(nullptr);
}

void CMainFrame::createMdiArea()
{
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    m_pTemplate = std::make_unique<CDocTemplate>(m_pMdiArea);
    // Made first: it forgets a closed output document before the tabs are made again.
    m_pReports = new CReportCommands(*m_pTemplate, this);
    m_pPrints = new CPrintCommands(*m_pTemplate, this);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] { onActiveViewChanged(); });
    connect(m_pTemplate.get(), &CDocTemplate::documentListChanged, this, [this] {
        refreshTabBar();
        onActiveViewChanged();
    });
    connect(m_pTemplate.get(), &CDocTemplate::frameCreated, this, [this](CLumoMCW* frame) { adoptFrame(frame); });
}

void CMainFrame::adoptFrame(CLumoMCW* frame)
{
    frame->setWindowIcon(ProgramIcon());
    connect(frame, &QMdiSubWindow::windowStateChanged, this, [this] { updateTitle(); });
    watchPane(frame);
}

// The hex pane of every view writes its caret position into panes 1 to 3 and
// tells the frame when the command states may have changed.
void CMainFrame::watchPane(CLumoMCW* frame)
{
    if (CLumoEV* text = frame->view()->textPane()) {
        // The text pane writes its line, the column's further digits and the column.
        connect(text, &CLumoEV::statusTextsChanged, this,
                [this, text](const QString& line, const QString& column, const QString& columnHigh) {
                    if (!activeView() || activeView()->textPane() != text)
                        return;
                    m_pStatusBar->setPaneText(CFrameStatusBar::OffsetHex, line);
                    m_pStatusBar->setPaneText(CFrameStatusBar::Offset, columnHigh);
                    m_pStatusBar->setPaneText(CFrameStatusBar::ByteValue, column);
                });
        connect(text, &CLumoEV::editStateChanged, this, [this] { updateCommandStates(); });
        // A tag line opens its file as a text document at its line.
        connect(text, &CLumoEV::tagJumpRequested, this,
                [this](const QString& path, int line) { jumpToTag(path.toStdString(), line); });
        connect(text, &CLumoEV::contextMenuRequested, this, &CMainFrame::showContextMenu);
    }
    CLumoBV* pane = frame->view()->hexPane();
    if (!pane)
        return;
    connect(pane, &CLumoBV::statusTextsChanged, this,
            [this, pane](const QString& hexOffset, const QString& offset, const QString& byteValue) {
                // A pane in the background follows the edits of another one.
                if (!activeView() || activeView()->hexPane() != pane)
                    return;
                m_pStatusBar->setPaneText(CFrameStatusBar::OffsetHex, hexOffset);
                m_pStatusBar->setPaneText(CFrameStatusBar::Offset, offset);
                m_pStatusBar->setPaneText(CFrameStatusBar::ByteValue, byteValue);
            });
    connect(pane, &CLumoBV::editStateChanged, this, [this] {
        m_pStatusBar->setPaneText(CFrameStatusBar::Overwrite, g_bOverwrite ? QStringLiteral("上書") : QString());
        updateCommandStates();
    });
}

void CMainFrame::createActions()
{
    m_pActions = new CCommandActions(this);
    m_pActions->setContextProvider([this] { return commandContext(); });
    m_pActions->setRecentFiles(m_recentFiles.entries());
    connect(m_pActions, &CCommandActions::commandTriggered, this, &CMainFrame::onCommand);
    // Create every action of both menu bars first, so the key names reach them all.
    m_pActions->buildMenuBar(menuBar(), true);
    m_pActions->applyKeyNames(g_keyTable);
    m_pActions->buildMenuBar(menuBar(), false);
    // Reading the clipboard may ask another program for its data: it is read
    // once a change, not on every caret move.
    auto readClipboard = [this] {
        m_bClipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
        updateCommandStates();
    };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, readClipboard);
    m_bClipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
}

void CMainFrame::createToolBar()
{
    m_pToolBar = new CMainToolBar(*m_pActions, this);
    m_pToolBar->layOut(DefaultToolbarButtons());
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    connect(m_pToolBar, &CMainToolBar::findRequested, this, [this] { runCommand(cmd::FindBoxNext); });
    connect(m_pToolBar, &CMainToolBar::findBoxEscaped, this, [this] {
        if (CLumoView* view = activeView())
            view->activePane()->setFocus();
    });
}

void CMainFrame::layOutToolBar(std::span<const uint16_t> buttons)
{
    m_pToolBar->layOut(buttons);
}

void CMainFrame::createStatusBar()
{
    m_pStatusBar = new CFrameStatusBar(this);
    setStatusBar(m_pStatusBar);
    m_pStatusBar->setPaneText(CFrameStatusBar::Code, QString::fromUtf8(CodeTypeName(g_settings.StrCodeType)));
}

void CMainFrame::createTabBar()
{
    m_pTabBar = new CDocTabBar(this);
    addToolBarBreak(g_settings.TabBarPosition > 0 ? Qt::TopToolBarArea : Qt::BottomToolBarArea);
    addToolBar(g_settings.TabBarPosition > 0 ? Qt::TopToolBarArea : Qt::BottomToolBarArea, m_pTabBar);
    connect(m_pTabBar, &CDocTabBar::positionSelected, this, [this](int position) {
        const auto& docs = m_pTemplate->documents();
        if (position >= 0 && static_cast<size_t>(position) < std::min(docs.size(), kMaxTabs))
            m_pTemplate->activate(docs[static_cast<size_t>(position)].get());
    });
}

void CMainFrame::createFindController()
{
    auto activePane = [this]() -> CLumoBV* {
        CLumoView* view = activeView();
        return view ? view->hexPane() : nullptr;
    };
    m_pFindController = new CFindController(
        [activePane]() -> CBinaryPaneModel* {
            CLumoBV* pane = activePane();
            return pane ? &pane->model() : nullptr;
        },
        [activePane]() -> QWidget* { return activePane(); }, m_pToolBar->findBox(), this);
}

// The find commands act on the hex pane; in a text document only find next
// and previous search, with the find box's text.
void CMainFrame::routeFind(uint16_t id)
{
    if (id == cmd::FindInput) {
        m_pFindController->focusFindBox();
        return;
    }
    CLumoView* view = activeView();
    const bool findNext = id == cmd::FindNext || id == cmd::FindBoxNext || id == cmd::FindPrevious;
    if (view && view->textPane() && findNext) {
        findInText(*view->textPane(), id);
        return;
    }
    if (!view || !view->hexPane()) {
        BeepRefusal();
        return;
    }
    switch (id) {
    case cmd::EditFind: m_pFindController->find(); break;
    case cmd::EditReplace: m_pFindController->replace(); break;
    case cmd::Jump: m_pFindController->jump(); break;
    case cmd::FindNext: m_pFindController->findNext(); break;
    case cmd::FindBoxNext: m_pFindController->findNextFromBox(); break;
    case cmd::FindPrevious: m_pFindController->findPrevious(); break;
    default: break;
    }
}

void CMainFrame::findInText(CLumoEV& pane, uint16_t id)
{
    QComboBox* box = m_pToolBar->findBox();
    if (id == cmd::FindBoxNext)
        pane.setFocus();
    const std::string text = cp932::FromUtf8(box->currentText().toStdString());
    if (text.empty() || text.size() > kMaxPatternChars) {
        BeepRefusal();
        return;
    }
    if (box->lineEdit())
        box->lineEdit()->deselect();
    g_findHistory.add(text);
    {
        CWaitCursor wait;
        (void)pane.model().findText(text, id != cmd::FindPrevious);
    }
    m_pFindController->refillFindBox();
}

void CMainFrame::createInspector()
{
    m_pInspector = new CInspectorDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pInspector);
    m_pInspector->setVisible(g_settings.DisplayInspector != 0);
    // The panel's own close button hides it as the menu item does.
    connect(m_pInspector->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (!m_bClosing)
            g_settings.DisplayInspector = shown ? 1 : 0;
        updateCommandStates();
    });
}

void CMainFrame::applyBarSettings()
{
    m_pToolBar->setVisible(g_settings.DisplayToolBar != 0);
    m_pStatusBar->setVisible(g_settings.DisplayStatusBar != 0);
    m_pTabBar->setVisible(g_settings.DisplayTabBar != 0);
    // The user may also hide the bars from the bars' context menu.
    connect(m_pToolBar->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (!m_bClosing)
            g_settings.DisplayToolBar = shown ? 1 : 0;
    });
    connect(m_pTabBar->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (!m_bClosing)
            g_settings.DisplayTabBar = shown ? 1 : 0;
    });
}

void CMainFrame::showWithPlacement()
{
    const std::optional<WindowPlacement> stored = LoadWindowPos(m_profile);
    const QRect normal = stored ? QRect(QPoint(stored->left, stored->top), QPoint(stored->right - 1, stored->bottom - 1))
                                : QRect();
    // A placement off every screen (a monitor was removed) gives the default.
    // screens() answers a fresh list on every call: keep one for both ends.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool onScreen = stored && normal.width() >= 100 && normal.height() >= 100
        && std::any_of(screens.begin(), screens.end(),
                       [&normal](const QScreen* screen) { return screen->availableGeometry().intersects(normal); });
    if (!onScreen) {
        resize(1024, 720);
        showMaximized();
        return;
    }
    setGeometry(normal);
    if (stored->showCmd == 3 || (stored->flags & 2) != 0)
        showMaximized();
    else
        showNormal();
}

// The normal rectangle is the window's own area, without the window
// manager's frame, and showWithPlacement() sets it back as such: a window
// that stores one and restores the other creeps by its frame on every start.
void CMainFrame::savePlacement()
{
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    (void)SaveWindowPos(m_profile, PlacementOf(normal, windowState()));
}

CLumoView* CMainFrame::activeView() const
{
    return m_pTemplate->activeView();
}

CLumoDoc* CMainFrame::activeDocument() const
{
    return m_pTemplate->activeDocument();
}

CLumoDoc* CMainFrame::openBinaryDocument(const std::string& path)
{
    g_nNextDocMode = 2;
    CLumoDoc* doc = m_pTemplate->OpenDocumentFile(path);
    g_nNextDocMode = 1;
    return doc;
}

CLumoDoc* CMainFrame::openTextDocument(const std::string& path, int line, int column)
{
    g_nNextDocMode = CLumoDoc::kTextMode;
    CLumoDoc* doc = m_pTemplate->OpenDocumentFile(path);
    CLumoView* view = activeView();
    if (doc && doc->IsTextMode() && view && view->document() == doc)
        view->moveTextCaret(doc->Rows().RowOfLine(static_cast<uint32_t>(std::max(line, 1) - 1)),
                            static_cast<uint32_t>(std::max(column, 1) - 1));
    return doc;
}

void CMainFrame::showContextMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    const CommandContext context = commandContext();
    for (const int32_t item : g_programData.contextMenu) {
        if (item == kContextSeparator) {
            menu.addSeparator();
            continue;
        }
        const auto id = static_cast<uint16_t>(item);
        QAction* action = menu.addAction(QString::fromStdString(ContextMenuText(id)));
        action->setEnabled(CommandRuleState(id, context).enabled);
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    if (!menu.isEmpty())
        menu.exec(globalPos);
}

void CMainFrame::jumpToTag(const std::string& path, int line)
{
    CLumoDoc* doc = openTextDocument(path, line, 1);
    if (!doc || !doc->IsTextMode())
        return;
    // The line the jump led to stays marked out, as a line mark is encoded.
    const CRowTable& rows = doc->Rows();
    const uint32_t row = rows.RowOfLine(static_cast<uint32_t>(std::max(line, 1) - 1));
    const uint32_t start = row < rows.Count() ? rows.Start(row) : doc->DataSize();
    doc->SetTextAuxPos(start == 0 ? CLumoDoc::kFirstLineMark : start - 2);
    doc->UpdateAllViews(CLumoDoc::kHintMarksChanged);
}

CLumoDoc* CMainFrame::newBinaryDocument()
{
    g_nNextDocMode = 2;
    CLumoDoc* doc = m_pTemplate->OpenNewDocument();
    g_nNextDocMode = 1;
    return doc;
}

void CMainFrame::openHandedOverFile(const QString& path, int line, int column)
{
    if (line > 0)
        openTextDocument(path.toStdString(), line, column);
    else
        openBinaryDocument(path.toStdString());
    activateWindow();
    raise();
}

bool CMainFrame::runCommand(uint16_t id)
{
    return m_pActions->run(id);
}

CommandContext CMainFrame::commandContext() const
{
    CommandContext context;
    const CLumoView* view = activeView();
    context.hasDocument = view != nullptr;
    if (view) {
        const CLumoDoc* doc = view->document();
        context.textMode = doc->IsTextMode();
        context.readOnly = doc->IsReadOnly();
        context.hasSelection = view->hasSelection();
        context.streamSelection = view->hasStreamSelection();
        context.canUndo = view->canUndo();
        context.canRedo = view->canRedo();
        context.compareAvailable = m_pReports->compareAvailable();
    }
    context.canPaste = m_bClipboardHasText || CBinaryClipboard::Has();
    context.overwrite = g_bOverwrite;
    context.columnRulerShown = g_settings.DisplayRulerBar != 0;
    context.lineRulerShown = g_settings.DisplayLineBar != 0;
    context.toolBarShown = m_pToolBar->isVisible();
    context.statusBarShown = m_pStatusBar->isVisible();
    context.inspectorShown = !m_pInspector->isHidden();
    context.recentFileCount = static_cast<int>(m_recentFiles.entries().size());
    for (const std::string& dir : g_settings.FrequentlyUsedDirectory)
        context.favouriteCount += dir.empty() ? 0 : 1;
    return context;
}

void CMainFrame::updateCommandStates()
{
    m_pActions->updateStates(commandContext());
    scheduleSelectionFacts();
}

// Panes 8 and 9 are written once the event at hand has been handled: a pane
// repaints, and says so, before its selection has settled.
void CMainFrame::scheduleSelectionFacts()
{
    if (m_bSelectionFactsDue)
        return;
    m_bSelectionFactsDue = true;
    QTimer::singleShot(0, this, [this] {
        m_bSelectionFactsDue = false;
        const CLumoView* view = activeView();
        const auto selected = view ? view->selectedBytes() : std::nullopt;
        const std::string selection =
            SelectionPaneText(selected ? std::optional(selected->second - selected->first) : std::nullopt);
        m_pStatusBar->setPaneText(CFrameStatusBar::SelectionSize, QString::fromStdString(selection));
        m_pStatusBar->setPaneText(CFrameStatusBar::FileSize,
                                  view ? QString::fromStdString(SizePaneText(view->document()->DataSize())) : QString());
    });
}

void CMainFrame::onActiveViewChanged()
{
    CLumoDoc* doc = activeDocument();
    const bool withDocument = doc != nullptr;
    if (withDocument != m_bMenuWithDocument) {
        m_bMenuWithDocument = withDocument;
        m_pActions->buildMenuBar(menuBar(), withDocument);
    }
    for (int pane = CFrameStatusBar::OffsetHex; pane <= CFrameStatusBar::FileSize; ++pane)
        m_pStatusBar->setPaneEnabled(pane, withDocument && pane != CFrameStatusBar::Spare);
    if (CLumoBV* pane = activeView() ? activeView()->hexPane() : nullptr) {
        // The newly active pane shows where its caret stands.
        CBinaryPaneModel& model = pane->model();
        model.setCaretOffset(model.m_nCaret, model.m_bSecondDigit, false, true);
    }
    m_pStatusBar->setPaneText(CFrameStatusBar::Overwrite, g_bOverwrite ? QStringLiteral("上書") : QString());
    m_pStatusBar->setPaneText(CFrameStatusBar::ReadOnly,
                              doc && doc->IsReadOnly() ? QStringLiteral("書禁") : QString());
    const auto& docs = m_pTemplate->documents();
    const auto it = std::find_if(docs.begin(), docs.end(), [doc](const auto& owned) { return owned.get() == doc; });
    m_pTabBar->selectPosition(doc ? static_cast<int>(it - docs.begin()) : -1);
    m_pInspector->follow(activeView());
    updateTitle();
    updateCommandStates();
}

// A maximised child adds " - [its title]" to the frame's title by itself;
// only a child in a window of its own needs the frame to name the document.
void CMainFrame::updateTitle()
{
    const CLumoDoc* doc = activeDocument();
    const QMdiSubWindow* child = m_pMdiArea->activeSubWindow();
    setWindowTitle(doc && child && !child->isMaximized()
                       ? QStringLiteral("Vexel - %1").arg(QString::fromStdString(doc->GetTitle()))
                       : QStringLiteral("Vexel"));
}

void CMainFrame::refreshTabBar()
{
    std::vector<TabDocument> tabs;
    int active = -1;
    const CLumoDoc* current = activeDocument();
    for (const auto& doc : m_pTemplate->documents()) {
        if (doc.get() == current)
            active = static_cast<int>(tabs.size());
        tabs.push_back(TabDocument{ doc->GetTitle(), doc->IsModified(), m_pReports->isCompareResult(doc.get()) });
    }
    m_pTabBar->refresh(tabs, active);
}

void CMainFrame::redrawAllViews()
{
    for (const auto& doc : m_pTemplate->documents())
        doc->UpdateAllViews(kHintRedraw);
}

void CMainFrame::onCommand(uint16_t id)
{
    CLumoDoc* doc = activeDocument();
    if (id >= cmd::FileRecent1 && id <= cmd::FileRecent4) {
        onRecentFile(static_cast<size_t>(id - cmd::FileRecent1));
    } else if (id >= cmd::Favourite1 && id <= cmd::Favourite4) {
        onFavouriteDirectory(id - cmd::Favourite1);
    } else {
        switch (id) {
        case cmd::FileNew: newBinaryDocument(); break;
        case cmd::FileOpen: onFileOpen(); break;
        case cmd::FileClose:
            if (doc && doc->SaveModified())
                m_pTemplate->CloseDocument(doc);
            break;
        case cmd::FileSave: if (doc) (void)doc->OnFileSave(); break;
        case cmd::FileSaveAs: if (doc) (void)doc->OnFileSaveAs(); break;
        case cmd::AppExit: close(); break;
        case cmd::AppAbout: onAbout(); break;
        case cmd::ReadOnly: onReadOnly(); break;
        case cmd::CodeSwitch: onCodeSwitch(); break;
        case cmd::DisplayFont: onDisplayFont(); break;
        case cmd::CommonSettings: onCommonSettings(); break;
        case cmd::PageLayout: onPageLayout(); break;
        case cmd::FilePrint: m_pPrints->print(); break;
        case cmd::FilePrintPreview: m_pPrints->preview(); break;
        case cmd::FilePrintSetup: m_pPrints->printerSetup(); break;
        case cmd::Customize:
            if (RunCustomizeSheet(this, *m_pActions))
                emit customized();
            break;
        case cmd::WindowNew: if (doc) m_pTemplate->CreateNewFrame(doc); break;
        case cmd::WindowCascade: m_pMdiArea->cascadeSubWindows(); break;
        case cmd::WindowTile: m_pMdiArea->tileSubWindows(); break;
        case cmd::WindowArrange: arrangeIcons(); break;
        case cmd::HelpContents:
        case cmd::HelpUsing:
        case cmd::HelpContext: onHelp(); break;
        case cmd::EditUndo:
        case cmd::EditRedo:
        case cmd::EditCut:
        case cmd::EditCopy:
        case cmd::ScreenCopy:
        case cmd::EditPaste:
        case cmd::SelectAll:
        case cmd::MarkToggle:
        case cmd::MarkNext:
        case cmd::MarkPrevious:
        case cmd::MarkClearAll:
        case cmd::LineMarkToggle:
        case cmd::LineMarkNext:
        case cmd::LineMarkPrevious:
        case cmd::LineMarkClearAll:
        case cmd::AppendCopy:
        case cmd::AppendCut: routeToView(id); break;
        case cmd::Compare: m_pReports->compare(); break;
        case cmd::FormatTemplate: m_pReports->formatByTemplate(); break;
        case cmd::Checksum: if (CLumoView* view = activeView()) CChecksumDialog::run(this, *view); break;
        case cmd::EditFind:
        case cmd::EditReplace:
        case cmd::Jump:
        case cmd::FindNext:
        case cmd::FindBoxNext:
        case cmd::FindPrevious:
        case cmd::FindInput: routeFind(id); break;
        case cmd::ColumnRuler:
        case cmd::LineRuler: onRulerToggle(id); break;
        case cmd::ViewToolBar: m_pToolBar->setVisible(!m_pToolBar->isVisible()); break;
        case cmd::ViewStatusBar:
            m_pStatusBar->setVisible(!m_pStatusBar->isVisible());
            g_settings.DisplayStatusBar = m_pStatusBar->isVisible() ? 1 : 0;
            break;
        case cmd::ViewInspector: m_pInspector->setVisible(m_pInspector->isHidden()); break;
        default:
            if (IsTextEditCommand(id))
                routeToView(id);
            else
                BeepRefusal();
            break;
        }
    }
    updateCommandStates();
}

// Edit and mark commands go to the active view, which runs them on the pane
// of its document's mode; the edit commands go to the find box while it has
// the focus.
void CMainFrame::routeToView(uint16_t id)
{
    if (QLineEdit* field = FocusedLineEdit(); field && isAncestorOf(field) && RunFieldCommand(*field, id))
        return;
    using Command = CLumoView::Command;
    static const std::pair<uint16_t, Command> kCommands[] = {
        {cmd::EditUndo, Command::Undo},           {cmd::EditRedo, Command::Redo},
        {cmd::EditCut, Command::Cut},             {cmd::EditCopy, Command::Copy},
        {cmd::ScreenCopy, Command::ScreenCopy},   {cmd::EditPaste, Command::Paste},
        {cmd::SelectAll, Command::SelectAll},     {cmd::MarkToggle, Command::MarkToggle},
        {cmd::MarkNext, Command::MarkNext},       {cmd::MarkPrevious, Command::MarkPrevious},
        {cmd::MarkClearAll, Command::MarkClearAll},
        {cmd::LineMarkToggle, Command::LineMarkToggle}, {cmd::LineMarkNext, Command::LineMarkNext},
        {cmd::LineMarkPrevious, Command::LineMarkPrevious}, {cmd::LineMarkClearAll, Command::LineMarkClearAll},
        {cmd::AppendCopy, Command::AppendCopy},   {cmd::AppendCut, Command::AppendCut},
    };
    CLumoView* view = activeView();
    const auto* entry = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [id](const auto& pair) { return pair.first == id; });
    if (!view || (entry == std::end(kCommands) && !IsTextEditCommand(id))) {
        BeepRefusal();
        return;
    }
    view->runCommand(entry != std::end(kCommands) ? entry->second : Command::TextEdit);
}

// The ruler settings hold for every text view: the active one flips its
// setting, and every other view follows it.
void CMainFrame::onRulerToggle(uint16_t id)
{
    CLumoView* active = activeView();
    if (!active || !active->IsTextMode()) {
        BeepRefusal();
        return;
    }
    if (id == cmd::ColumnRuler)
        active->ToggleColumnRuler();
    else
        active->ToggleLineRuler();
    for (const auto& doc : m_pTemplate->documents())
        for (CViewBase* base : doc->views())
            if (auto* view = dynamic_cast<CLumoView*>(base); view && view != active)
                view->ApplyRulerVisibility();
}

void CMainFrame::arrangeIcons()
{
    // Minimised windows line up along the bottom edge of the area.
    const QSize area = m_pMdiArea->viewport()->size();
    int x = 0;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x + size.width() > area.width())
            x = 0;
        window->move(x, area.height() - size.height());
        x += size.width();
    }
}

void CMainFrame::onFileOpen()
{
    std::string name;
    bool readOnly = false;
    if (!CLumoFileDialog::PromptFileName(this, name, true, &readOnly,
                                         [this](const QString& text) { m_pStatusBar->showMessage(text); }))
        return;
    CLumoDoc* doc = openBinaryDocument(name);
    if (doc && readOnly) {
        doc->SetReadOnly(true); // a partly loaded file is read-only whatever the box said
        onActiveViewChanged();
    }
}

void CMainFrame::onRecentFile(size_t index)
{
    if (index >= m_recentFiles.entries().size())
        return;
    const std::string path = m_recentFiles.entries()[index];
    if (!openBinaryDocument(path)) {
        // A file that is gone leaves the list.
        m_recentFiles.remove(index);
        m_pActions->setRecentFiles(m_recentFiles.entries());
    }
}

void CMainFrame::onFavouriteDirectory(int index)
{
    std::vector<std::string> dirs;
    for (const std::string& dir : g_settings.FrequentlyUsedDirectory)
        if (!dir.empty())
            dirs.push_back(dir);
    if (index < 0 || static_cast<size_t>(index) >= dirs.size())
        return;
    if (!QDir::setCurrent(QString::fromStdString(dirs[static_cast<size_t>(index)])))
        MessageBeep(-1);
    CLumoDoc* doc = activeDocument();
    if ((QGuiApplication::keyboardModifiers() & Qt::ControlModifier) && doc)
        (void)doc->OnFileSaveAs();
    else
        onFileOpen();
}

void CMainFrame::onCodeSwitch()
{
    g_settings.StrCodeType = NextCodeType(g_settings.StrCodeType);
    m_pStatusBar->setPaneText(CFrameStatusBar::Code, QString::fromUtf8(CodeTypeName(g_settings.StrCodeType)));
    redrawAllViews();
}

// The layout is the program's, kept in the data file at exit.
void CMainFrame::onPageLayout()
{
    CPageLayoutDialog dialog(this, g_programData.page);
    if (dialog.exec() == QDialog::Accepted)
        g_programData.page = dialog.values();
}

// Every view takes the new font at once; each document keeps its fold column.
void CMainFrame::onDisplayFont()
{
    const std::optional<LogFontRecord> font = ChooseFontRecord(this, g_cabinet.font, logicalDpiY());
    if (!font || *font == g_cabinet.font)
        return;
    g_cabinet.font = *font;
    for (const auto& doc : m_pTemplate->documents())
        doc->ResetLayout(doc->FoldColumn());
    emit cabinetSettingsChanged();
}

// Every view takes the new values at once: a new line length needs a new
// layout, the titles follow LongTitle, the tab bar DisplayTabBar.
void CMainFrame::onCommonSettings()
{
    CCommonSettingsDialog dialog(this, g_settings, g_programData.customColours);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CommonSettingsChanges changes = ApplyCommonSettings(dialog.values(), g_settings);
    if (changes.bytesPerLine)
        for (const auto& doc : m_pTemplate->documents())
            doc->UpdateAllViews(CLumoDoc::kHintBinaryLoaded);
    redrawAllViews();
    if (changes.longTitle) {
        for (const auto& doc : m_pTemplate->documents()) {
            doc->SetTitleFromPath(g_settings.LongTitle != 0);
            m_pTemplate->titleFrames(doc.get());
        }
        refreshTabBar();
        updateTitle();
    }
    if (changes.displayTabBar)
        m_pTabBar->setVisible(g_settings.DisplayTabBar != 0);
    // The switch holds for this run even when the file refuses the write; exit writes it again.
    if (changes.multiInstance)
        (void)SaveMultiInstance(m_profile, g_settings.MultiInstance);
}

void CMainFrame::onReadOnly()
{
    if (CLumoDoc* doc = activeDocument()) {
        doc->SetReadOnly(!doc->IsReadOnly());
        onActiveViewChanged();
    }
}

void CMainFrame::onHelp()
{
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->showPage();
}

void CMainFrame::onAbout()
{
    CAboutDialog dialog(this);
    dialog.exec();
}

bool CMainFrame::promptSaveFileName(std::string& name)
{
    return CLumoFileDialog::PromptFileName(this, name, false);
}

void CMainFrame::beginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::endWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

void CMainFrame::documentStateChanged(CLumoDoc& doc)
{
    m_pTemplate->titleFrames(&doc);
    refreshTabBar();
    if (&doc == activeDocument())
        onActiveViewChanged();
}

void CMainFrame::addToRecentFiles(const std::string& path)
{
    m_recentFiles.add(path);
    m_pActions->setRecentFiles(m_recentFiles.entries());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    savePlacement();
    emit closing();
    if (!m_pTemplate->SaveAllModified()) {
        event->ignore();
        return;
    }
    m_bClosing = true;
    m_pTemplate->CloseAllDocuments();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    openDroppedFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void CMainFrame::openDroppedFiles(const QList<QUrl>& urls)
{
    // Every dropped file opens as a binary document, whatever the mode at rest.
    g_bResetNextDocMode = false;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        g_nNextDocMode = 2;
        (void)m_pTemplate->OpenDocumentFile(url.toLocalFile().toStdString());
    }
    g_bResetNextDocMode = true;
    g_nNextDocMode = 1;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return translateKey(watched, static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// The key table sees every key press of the frame's windows before anything
// else does; a bound key runs its command (when enabled) and is consumed.
bool CMainFrame::translateKey(QObject* watched, QKeyEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return false;
    const int modifiers = static_cast<int>(event->modifiers());
    // Editing keys typed into a text field (the find box) edit the field.
    if (IsTextFieldKey(event->key(), modifiers) && IsTextField(QApplication::focusWidget()))
        return false;
    // F1 is kept for help: the key table cannot assign it.
    if (event->key() == Qt::Key_F1 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        m_pActions->run(cmd::HelpContents);
        return true;
    }
    const KeyEntry* entry = g_keyTable.translate(event->key(), modifiers);
    if (!entry)
        return false;
    if (entry->nKind == KeyKind::Operation)
        BeepRefusal(); // saved operations are not part of this program yet
    else
        m_pActions->run(entry->nCommandId);
    return true;
}
