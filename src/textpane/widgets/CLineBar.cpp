#include "textpane/widgets/CLineBar.h"

#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "textpane/CTextCaretModel.h"
#include "platform/widgets/ColorRef.h"
#include "textpane/TextColours.h"
#include "textpane/widgets/CLumoEV.h"
#include "textpane/widgets/RulerPaint.h"

#include <QBitmap>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr int kThicknessLM = 80;
constexpr int kDragTickMs = 50;
// The marked-line flag: a bar this wide at the ruler's left.
constexpr int kMarkWidth = 4;

// An arrow pointing right and up at the text: the pointer that selects lines.
QCursor LineSelectCursor()
{
    static const QCursor cursor = [] {
        QPixmap image(16, 16);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QPoint arrow[] = {{15, 0}, {15, 10}, {12, 7}, {5, 14}, {1, 10}, {8, 3}, {5, 0}};
        painter.setPen(Qt::white);
        painter.setBrush(Qt::black);
        painter.drawPolygon(arrow, 7);
        painter.end();
        return QCursor(image, 15, 0);
    }();
    return cursor;
}

} // namespace

CLineBar::CLineBar(CLumoEV* pane, QWidget* parent)
    : QWidget(parent)
    , m_pPane(pane)
    , m_ticks(ruler::Ticks::ForDpi(logicalDpiX()))
    , m_labelFont(RulerLabelFont())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int CLineBar::ThicknessFor(int dpiX)
{
    return ruler::TenthsMmToPx(dpiX, kThicknessLM) + 1;
}

int CLineBar::top() const
{
    return m_pPane->topMarginPx();
}

QRect CLineBar::rowCell(uint32_t line) const
{
    const int y = top() + (static_cast<int>(line) - static_cast<int>(m_pPane->topLine())) * m_pPane->lineHeight();
    const int left = width() - m_ticks.shortTick;
    return QRect(left, y + 1, width() - 2 - left, m_pPane->lineHeight() - 1);
}

void CLineBar::setCursorLine(uint32_t line)
{
    if (line == m_nCursorLine)
        return;
    update(rowCell(m_nCursorLine).adjusted(0, -1, 0, 1));
    m_nCursorLine = line;
    update(rowCell(m_nCursorLine));
}

void CLineBar::scrollRows(int rows)
{
    const int h = height() - top();
    if (std::abs(rows) * m_pPane->lineHeight() < h)
        scroll(0, rows * m_pPane->lineHeight(), QRect(0, top(), width(), h));
    else
        update();
}

void CLineBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int y0 = top();
    const int rowHeight = m_pPane->lineHeight();
    painter.fillRect(rect(), RulerColour(g_settings.LineBackColor));
    painter.setPen(RulerColour(ruler::kWhite));
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(RulerColour(ruler::kGrey));
    painter.drawLine(w - 2, y0, w - 2, h - 1);
    painter.setPen(RulerColour(ruler::kBlack));
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.setClipRect(QRect(0, y0, w, h - y0));

    const uint32_t first = m_pPane->topLine();
    const uint32_t shown = static_cast<uint32_t>(std::max(0, (h - y0) / rowHeight));
    const auto rowTop = [&](uint32_t row) { return y0 + static_cast<int>(row - first) * rowHeight; };
    for (const int dy : {0, 1}) {
        painter.setPen(RulerColour(dy == 0 ? ruler::kBlack : ruler::kWhite));
        for (uint32_t row = first; row <= first + shown; ++row)
            painter.drawLine(w - m_ticks.lengthAt(row), rowTop(row) + dy, w - 1, rowTop(row) + dy);
    }

    // Marked lines: a bar in the marked-line colour at the left.
    CLumoDoc& doc = *m_pPane->document();
    CTextLineModel& lines = m_pPane->model().lines();
    const QColor markColour =
        ColorFromRef(CTextColours::Of(g_cabinet).markedLineBack & ~CTextColours::kBackgroundBit);
    if (!doc.TextMarks().empty()) {
        const uint32_t end = std::min(first + shown + 1, m_pPane->model().lineCount());
        for (uint32_t row = first; row < end; ++row)
            if (ruler::RowIsMarked(doc, lines, row))
                painter.fillRect(QRect(2, rowTop(row) + 2, kMarkWidth, rowHeight - 3), markColour);
    }

    painter.setFont(m_labelFont);
    painter.setPen(RulerColour(ruler::kBlack));
    const QFontMetrics metrics(m_labelFont);
    const int right = w - m_ticks.shortTick - RulerLabelShift(m_labelFont, m_ticks.shortTick);
    for (uint32_t row = first + (5 - first % 5) % 5; row <= first + shown + 1; row += 5) {
        const QString text = row == 0 ? QStringLiteral("1") : QString::number(row);
        const int bottom = row == 0 ? y0 + metrics.height() : rowTop(row);
        painter.drawText(QRect(0, bottom - metrics.height(), right, metrics.height()),
                         Qt::AlignRight | Qt::AlignBottom, text);
    }

    painter.fillRect(rowCell(m_nCursorLine), RulerColour(g_settings.LineCursorColor));
}

uint32_t CLineBar::rowAt(int y) const
{
    CTextCaretModel& model = m_pPane->model();
    const uint32_t lastRow = model.lines().lineOf(m_pPane->document()->DataSize());
    return ruler::RowAt(y, top(), m_pPane->lineHeight(), m_pPane->topLine(), lastRow);
}

void CLineBar::selectTo(uint32_t row)
{
    CTextCaretModel& model = m_pPane->model();
    const uint32_t size = m_pPane->document()->DataSize();
    if (size == 0)
        return;
    const ruler::LineSelection lines = ruler::WholeLines(model.lines(), size, m_nAnchorLine, row);
    model.cancelSelection();
    model.setCaret(model.lines().offsetToPosition(lines.end));
    model.extendSelection(lines.anchor, lines.end);
    m_lastSelection = model.selection();
}

void CLineBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || p.y() < top())
        return;
    CTextCaretModel& model = m_pPane->model();
    const uint32_t row = rowAt(p.y());
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && model.hasSelection();
    if (!extend) {
        model.cancelSelection();
        m_nAnchorLine = row;
    } else if (model.selection() != m_lastSelection) {
        // A selection made in the pane: its anchor is the end the caret is not at.
        const auto [start, end] = model.selection();
        m_nAnchorLine = model.lines().lineOf(model.caretOffset() == end ? start : end);
    }
    selectTo(row);
    m_bDragging = true;
    m_dragTimer.start(kDragTickMs, this);
}

void CLineBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    setCursor(p.y() >= top() ? LineSelectCursor() : QCursor(Qt::ArrowCursor));
    if (m_bDragging && (event->buttons() & Qt::LeftButton) && p.y() >= top())
        selectTo(rowAt(p.y()));
}

void CLineBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bDragging = false;
    m_dragTimer.stop();
}

void CLineBar::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_dragTimer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    // Outside the ruler too: the pane scrolls towards the pointer.
    if (m_bDragging)
        selectTo(rowAt(mapFromGlobal(QCursor::pos()).y()));
}
