#include "doc/widgets/CLumoView.h"

#include "binpane/widgets/CLumoBV.h"
#include "textpane/widgets/CLineBar.h"
#include "textpane/widgets/CLumoEV.h"
#include "textpane/widgets/CRulerBar.h"
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/ViewFont.h"

CLumoView::CLumoView(CLumoDoc* doc, QWidget* parent)
    : QWidget(parent)
    , m_pDoc(doc)
{
    setFocusPolicy(Qt::StrongFocus);
    makeFont();
    if (IsTextMode()) {
        m_pTextPane = new CLumoEV(doc, m_font, this);
        m_pPane = m_pTextPane;
        // The other text panes of the document put their carets back on their offsets.
        connect(m_pTextPane, &CLumoEV::focusLost, this,
                [this] { m_pDoc->UpdateAllViews(kHintTextFocusLost, nullptr, this); });
        m_pColumnRuler = new CRulerBar(m_pTextPane, this);
        m_pLineRuler = new CLineBar(m_pTextPane, this);
        // The rulers follow the caret and the scroll position.
        connect(m_pTextPane, &CLumoEV::caretPlaced, this, [this](uint32_t column, uint32_t line) {
            m_pColumnRuler->setCursorColumn(column);
            m_pLineRuler->setCursorLine(line);
        });
        connect(m_pTextPane, &CLumoEV::scrolled, this, [this](int columns, int lines) {
            if (columns != 0)
                m_pColumnRuler->update();
            if (lines != 0)
                m_pLineRuler->scrollRows(lines);
        });
        const CTextCaretModel::Position caret = m_pTextPane->model().caret();
        m_pColumnRuler->setCursorColumn(caret.column);
        m_pLineRuler->setCursorLine(caret.line);
        ApplyRulerVisibility();
    } else {
        m_pHexPane = new CLumoBV(doc, m_font, this);
        m_pPane = m_pHexPane;
    }
    setFocusProxy(m_pPane);
    m_pDoc->AddView(this);
}

CLumoView::~CLumoView()
{
    m_pDoc->RemoveView(this);
}

bool CLumoView::IsTextMode() const
{
    return m_pDoc->IsTextMode();
}

void CLumoView::runCommand(Command command)
{
    if (m_pTextPane) {
        runTextCommand(command);
        return;
    }
    CBinaryPaneModel& model = m_pHexPane->model();
    switch (command) {
    case Command::Undo: model.undo(); break;
    case Command::Redo: model.redo(); break;
    case Command::Cut: model.cut(); break;
    case Command::Copy: model.copy(); break;
    case Command::ScreenCopy: model.screenCopy(); break;
    case Command::Paste: model.paste(); break;
    case Command::SelectAll: model.selectAll(); break;
    case Command::MarkToggle: model.toggleMark(); break;
    case Command::MarkNext: model.nextMark(); break;
    case Command::MarkPrevious: model.previousMark(); break;
    case Command::MarkClearAll: model.clearAllMarks(); break;
    case Command::LineMarkToggle:
    case Command::LineMarkNext:
    case Command::LineMarkPrevious:
    case Command::LineMarkClearAll:
    case Command::AppendCopy:
    case Command::AppendCut:
    case Command::TextEdit: BeepRefusal(); break; // the text pane's own
    }
}

// A text document is read-only: its editing commands change nothing (undo
// and redo only take the selection down; the cut commands cut nothing).
void CLumoView::runTextCommand(Command command)
{
    CTextCaretModel& model = m_pTextPane->model();
    switch (command) {
    case Command::Copy: model.copy(); break;
    case Command::SelectAll: model.selectAll(); break;
    case Command::Undo:
    case Command::Redo: model.cancelSelection(); break;
    case Command::LineMarkToggle: model.toggleLineMark(); break;
    case Command::LineMarkNext: model.nextLineMark(); break;
    case Command::LineMarkPrevious: model.previousLineMark(); break;
    case Command::LineMarkClearAll: model.clearLineMarks(); break;
    case Command::AppendCopy: model.appendCopy(); break;
    case Command::Cut:
    case Command::AppendCut:
    case Command::Paste:
    case Command::TextEdit: break;
    case Command::ScreenCopy:
    case Command::MarkToggle:
    case Command::MarkNext:
    case Command::MarkPrevious:
    case Command::MarkClearAll: BeepRefusal(); break;
    }
}

bool CLumoView::hasStreamSelection() const
{
    return hasSelection() && !(m_pTextPane && m_pTextPane->model().box());
}

bool CLumoView::hasSelection() const
{
    if (m_pTextPane)
        return m_pTextPane->model().hasSelection();
    return m_pHexPane && m_pHexPane->model().hasSelection();
}

std::optional<std::pair<uint32_t, uint32_t>> CLumoView::selectedBytes() const
{
    if (!hasStreamSelection())
        return std::nullopt;
    if (m_pTextPane)
        return m_pTextPane->model().selection();
    const CBinaryPaneModel& model = m_pHexPane->model();
    return std::pair{model.m_nSelStart, model.m_nSelEnd + 1}; // the hex pane's end is inclusive
}

CLumoView::Position CLumoView::position() const
{
    if (m_pendingPosition)
        return *m_pendingPosition; // never shown since: still where it was
    if (m_pTextPane) {
        const CTextCaretModel::Position caret = m_pTextPane->model().caret();
        return {m_pTextPane->topLine(), caret.column, caret.line};
    }
    if (m_pHexPane)
        return {m_pHexPane->topLine(), m_pHexPane->caretOffset(), 0};
    return {};
}

void CLumoView::restorePosition(const Position& position)
{
    // A pane not laid out yet has no lines to scroll by: it takes the
    // position when it first gets its size.
    if (!paneHasSize()) {
        m_pendingPosition = position;
        return;
    }
    m_pendingPosition.reset();
    if (m_pTextPane)
        m_pTextPane->model().restoreView(position.firstLine, position.caret, position.caretLine);
    else if (m_pHexPane)
        m_pHexPane->model().restoreView(position.firstLine, position.caret);
}

void CLumoView::moveTextCaret(uint32_t line, uint32_t column)
{
    if (m_pTextPane)
        m_pTextPane->model().gotoPosition(line, column);
}

void CLumoView::ToggleColumnRuler()
{
    if (!m_pTextPane)
        return;
    g_settings.DisplayRulerBar = g_settings.DisplayRulerBar ? 0 : 1;
    ApplyRulerVisibility();
}

void CLumoView::ToggleLineRuler()
{
    if (!m_pTextPane)
        return;
    g_settings.DisplayLineBar = g_settings.DisplayLineBar ? 0 : 1;
    ApplyRulerVisibility();
}

void CLumoView::ApplyRulerVisibility()
{
    if (!m_pTextPane)
        return;
    m_pColumnRuler->setVisible(g_settings.DisplayRulerBar != 0);
    m_pLineRuler->setVisible(g_settings.DisplayLineBar != 0);
    layoutPanes();
    // The pane changed size: its caret goes back on its cell, scrolled into view.
    m_pTextPane->model().setCaret(m_pTextPane->model().caret());
}

void CLumoView::layoutPanes()
{
    if (!m_pTextPane) {
        m_pPane->setGeometry(rect());
        return;
    }
    const int top = g_settings.DisplayRulerBar ? CRulerBar::ThicknessFor(logicalDpiY()) : 0;
    const int left = g_settings.DisplayLineBar ? CLineBar::ThicknessFor(logicalDpiX()) : 0;
    m_pTextPane->setGeometry(left, top, width() - left, height() - top);
    m_pColumnRuler->setGeometry(top ? QRect(0, 0, width(), top) : QRect());
    m_pColumnRuler->setScaleOffset(left);
    m_pLineRuler->setGeometry(left ? QRect(0, top, left, height() - top) : QRect());
}

bool CLumoView::canUndo() const
{
    return m_pHexPane && m_pHexPane->model().canUndo();
}

bool CLumoView::canRedo() const
{
    return m_pHexPane && m_pHexPane->model().canRedo();
}

void CLumoView::makeFont()
{
    m_font = MakeViewFont(m_pDoc->Font(), logicalDpiY());
}

void CLumoView::OnUpdate(CViewBase*, int hint, void* object)
{
    if (hint == CLumoDoc::kHintContentChanged) {
        // The pane repaints only what moved; the pane that made the edit has done so already.
        if (m_pHexPane)
            m_pHexPane->model().followChange(*static_cast<const DocChange*>(object));
        if (m_pTextPane)
            m_pTextPane->followChange(*static_cast<const DocChange*>(object));
        return;
    }
    if (hint >= CLumoDoc::kHintAppendText && hint <= CLumoDoc::kHintAppendBlockStay) {
        if (m_pTextPane)
            m_pTextPane->appendOutput(hint, object);
        return;
    }
    if (hint == kHintLayoutReset) {
        if (object)
            makeFont();
        if (m_pHexPane)
            m_pHexPane->relayout(m_font);
        if (m_pTextPane)
            m_pTextPane->relayout(m_font, true);
    } else if (hint == kHintTextLoaded) {
        if (m_pTextPane)
            m_pTextPane->textLoaded();
    } else if (hint == kHintTextFocusLost) {
        if (m_pTextPane)
            m_pTextPane->relayout(m_font, false);
    } else if (hint >= kHintBinaryFirst && hint <= kHintBinaryLast) {
        if (hint == kHintBinaryFirst && m_pHexPane)
            m_pHexPane->relayout();
    }
    // The default update: the whole view is drawn again, rulers included.
    if (m_pHexPane)
        m_pHexPane->viewport()->update();
    else if (m_pTextPane) {
        m_pTextPane->viewport()->update();
        m_pColumnRuler->update();
        m_pLineRuler->update();
    }
}

void CLumoView::focusInEvent(QFocusEvent*)
{
    m_pPane->setFocus();
}

void CLumoView::resizeEvent(QResizeEvent*)
{
    layoutPanes();
    takePendingPosition();
}

// A hidden view's panes are sized only as it is shown, after its own resize.
void CLumoView::showEvent(QShowEvent*)
{
    takePendingPosition();
}

void CLumoView::takePendingPosition()
{
    if (m_pendingPosition && paneHasSize())
        restorePosition(*m_pendingPosition);
}

bool CLumoView::paneHasSize() const
{
    return m_pTextPane ? m_pTextPane->visibleRows() > 0 : m_pHexPane && m_pHexPane->visibleLines() > 0;
}
