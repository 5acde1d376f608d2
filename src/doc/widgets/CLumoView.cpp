#include "doc/widgets/CLumoView.h"

#include "binpane/widgets/CLumoBV.h"
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
        // Output documents are shown by the text pane; until it exists a
        // blank pane stands in, and nothing can be typed into it.
        m_pPane = new QWidget(this);
        m_pPane->setAutoFillBackground(true);
        QPalette palette = m_pPane->palette();
        palette.setColor(QPalette::Window, Qt::white);
        m_pPane->setPalette(palette);
        m_pPane->setFocusPolicy(Qt::StrongFocus);
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
    if (!m_pHexPane) {
        BeepRefusal();
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
    }
}

bool CLumoView::hasSelection() const
{
    return m_pHexPane && m_pHexPane->model().hasSelection();
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
        return;
    }
    if (hint == kHintLayoutReset) {
        if (object)
            makeFont();
        if (m_pHexPane)
            m_pHexPane->relayout(m_font);
    } else if (hint >= kHintBinaryFirst && hint <= kHintBinaryLast) {
        if (hint == kHintBinaryFirst && m_pHexPane)
            m_pHexPane->relayout();
    }
    // The default update: the whole view is drawn again.
    if (m_pHexPane)
        m_pHexPane->viewport()->update();
    else
        m_pPane->update();
}

void CLumoView::focusInEvent(QFocusEvent*)
{
    m_pPane->setFocus();
}

void CLumoView::resizeEvent(QResizeEvent*)
{
    m_pPane->setGeometry(rect());
}
