#include "textpane/widgets/CRulerBar.h"

#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "textpane/CTextCaretModel.h"
#include "textpane/widgets/CLumoEV.h"
#include "textpane/widgets/RulerPaint.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kThicknessLM = 40;
// Labels move this much further left when the program's label font is wide.
constexpr int kWideLabelShift = 2;

} // namespace

CRulerBar::CRulerBar(CLumoEV* pane, QWidget* parent)
    : QWidget(parent)
    , m_pPane(pane)
    , m_ticks(ruler::Ticks::ForDpi(logicalDpiY()))
    , m_labelFont(RulerLabelFont())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int CRulerBar::ThicknessFor(int dpiY)
{
    return ruler::TenthsMmToPx(dpiY, kThicknessLM) + 1;
}

void CRulerBar::setScaleOffset(int px)
{
    m_nOffset = px;
    update();
}

ruler::ColumnGrid CRulerBar::grid() const
{
    return {m_nOffset + m_pPane->leftMarginPx(), m_pPane->charWidth(), m_pPane->scrollColumn(), height(),
            m_ticks.longTick};
}

uint32_t CRulerBar::wrapColumn() const
{
    return TextLayoutOf(*m_pPane->document()).foldColumn;
}

int CRulerBar::labelBottom() const
{
    return height() - m_ticks.longTick - 1 + QFontMetrics(m_labelFont).height();
}

QRect CRulerBar::cursorCell(uint32_t column) const
{
    const int left = grid().leftOf(column) + 1;
    const int top = std::min(std::max(height() - m_ticks.shortTick, labelBottom()), height() - 2);
    return QRect(left, top, m_pPane->charWidth(), std::max(1, height() - 1 - top));
}

QRect CRulerBar::dragLine() const
{
    const int x = grid().leftOf(static_cast<uint32_t>(m_nDragColumn));
    return QRect(x, height() - m_ticks.longTick, 1, m_ticks.longTick);
}

void CRulerBar::setCursorColumn(uint32_t column)
{
    if (column == m_nCursorColumn)
        return;
    // The old cell with the tick at its left, and the new one.
    update(cursorCell(m_nCursorColumn).adjusted(-2, 0, 0, 0));
    m_nCursorColumn = column;
    update(cursorCell(m_nCursorColumn));
}

void CRulerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const ruler::ColumnGrid g = grid();
    const uint32_t wrap = wrapColumn();
    painter.fillRect(rect(), RulerColour(g_settings.RulerBackColor));

    painter.setPen(RulerColour(ruler::kWhite));
    painter.drawLine(0, 0, w - 1, 0);
    if (m_nOffset > 0)
        painter.drawLine(0, 0, 0, h - 1);
    const int scaleLeft = g.x0 - m_pPane->leftMarginPx();
    painter.setPen(RulerColour(ruler::kGrey));
    painter.drawLine(scaleLeft, h - 2, w - 1, h - 2);
    painter.setPen(RulerColour(ruler::kBlack));
    painter.drawLine(0, h - 1, w - 1, h - 1);

    // The ticks, then their raised white edge.
    const uint32_t first = g.scrollColumn;
    const uint32_t last = first + static_cast<uint32_t>(std::max(0, (w - g.x0) / g.cellWidth));
    for (const int dx : {0, 1}) {
        for (uint32_t c = first; c <= last; ++c) {
            const int x = g.leftOf(c) + dx;
            painter.setPen(RulerColour(c == wrap ? ruler::kRed : dx == 0 ? ruler::kBlack : ruler::kWhite));
            painter.drawLine(x, h - m_ticks.lengthAt(c), x, h - 1);
        }
    }

    painter.setFont(m_labelFont);
    painter.setPen(RulerColour(ruler::kBlack));
    const QFontMetrics metrics(m_labelFont);
    const int shift = RulerLabelShift(m_labelFont, kWideLabelShift);
    const int top = h - m_ticks.longTick - 1;
    for (uint32_t c = first + (10 - first % 10) % 10; c <= last; c += 10) {
        const QString text = c == 0 ? QStringLiteral("1") : QString::number(c);
        const int x = g.leftOf(c);
        const int width = static_cast<int>(text.size()) * metrics.averageCharWidth();
        const QRect box = c == 0 ? QRect(x + 2, top, width + 4, metrics.height())
                                 : QRect(x - width - shift - 4, top, width + 4, metrics.height());
        painter.drawText(box, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop, text);
    }

    painter.fillRect(cursorCell(m_nCursorColumn), RulerColour(g_settings.RulerCursorColor));
    if (m_bDragging)
        painter.fillRect(dragLine(), RulerColour(ruler::kMaroon));
}

void CRulerBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !grid().onWrapMarker(p.x(), p.y(), wrapColumn()))
        return;
    m_bDragging = true;
    m_nDragColumn = static_cast<int>(wrapColumn());
    update(dragLine());
}

void CRulerBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const ruler::ColumnGrid g = grid();
    setCursor(m_bDragging || g.onWrapMarker(p.x(), p.y(), wrapColumn()) ? Qt::SizeHorCursor : Qt::ArrowCursor);
    if (!m_bDragging)
        return;
    const int column = g.dragColumn(p.x());
    if (column != m_nDragColumn) {
        update(dragLine().adjusted(-1, -1, 1, 1));
        m_nDragColumn = column;
        update(dragLine());
    }
}

void CRulerBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bDragging)
        return;
    m_bDragging = false;
    update();
    if (m_nDragColumn != static_cast<int>(wrapColumn()))
        m_pPane->document()->ResetLayout(m_nDragColumn);
}
