#include "frame/widgets/CInspectorDock.h"

#include "binpane/widgets/CLumoBV.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoView.h"
#include "textpane/widgets/CLumoEV.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

// Where the caret of the view's pane stands: in a text document the start of
// the unit there.
uint32_t CaretOf(CLumoView& view)
{
    if (CLumoBV* hex = view.hexPane())
        return hex->caretOffset();
    if (CLumoEV* text = view.textPane())
        return text->model().caretOffset();
    return 0;
}

} // namespace

CInspectorDock::CInspectorDock(QWidget* parent)
    : QDockWidget(QStringLiteral("データインスペクタ"), parent)
{
    setObjectName(QStringLiteral("inspector"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    for (int row = 0; row < inspector::kRowCount; ++row) {
        grid->addWidget(new QLabel(QString::fromUtf8(inspector::RowLabel(row)), rows), row, 0);
        m_values[row] = new QLabel(rows);
        m_values[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_values[row], row, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(inspector::kRowCount, 1);
    setWidget(rows);
    // A hidden panel reads nothing; it catches up when shown.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
}

void CInspectorDock::follow(CLumoView* view)
{
    disconnect(m_caretMoves);
    m_pView = view;
    // Both panes write their status texts on every caret move and every edit.
    if (CLumoBV* hex = view ? view->hexPane() : nullptr)
        m_caretMoves = connect(hex, &CLumoBV::statusTextsChanged, this, &CInspectorDock::refresh);
    else if (CLumoEV* text = view ? view->textPane() : nullptr)
        m_caretMoves = connect(text, &CLumoEV::statusTextsChanged, this, &CInspectorDock::refresh);
    refresh();
}

QString CInspectorDock::valueText(int row) const
{
    return row >= 0 && row < inspector::kRowCount ? m_values[row]->text() : QString();
}

void CInspectorDock::refresh()
{
    if (!isVisible())
        return;
    CLumoDoc* doc = m_pView ? m_pView->document() : nullptr;
    if (!doc) {
        for (QLabel* value : m_values)
            value->clear();
        return;
    }
    const uint32_t caret = CaretOf(*m_pView);
    const uint32_t size = doc->DataSize();
    const uint32_t n = caret < size ? std::min(size - caret, inspector::kReadBytes) : 0;
    const uint8_t* bytes = n > 0 ? doc->GetSpanPointer(caret, n) : nullptr;
    const inspector::RowTexts texts = inspector::DecodeRows({bytes, n});
    for (int row = 0; row < inspector::kRowCount; ++row)
        m_values[row]->setText(QString::fromStdString(texts[row]));
}
