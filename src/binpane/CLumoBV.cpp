#include "binpane/CLumoBV.h"

#include "app/Settings.h"
#include "binpane/DocDumpSource.h"
#include "binpane/DumpLayout.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "platform/CellTextOut.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace {

// The hex pane never formats more than this many bytes in one redraw.
constexpr uint32_t kMaxRedrawBytes = 30720;

QColor colorOf(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

ScrollRequest requestOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageDown;
    case QAbstractSlider::SliderToMinimum: return ScrollRequest::Top;
    case QAbstractSlider::SliderToMaximum: return ScrollRequest::Bottom;
    case QAbstractSlider::SliderMove: return ScrollRequest::ThumbTrack;
    default: return ScrollRequest::ThumbPosition;
    }
}

} // namespace

CLumoBV::CLumoBV(CLumoDoc* doc, const QFont& font, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_pDoc(doc)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &CLumoBV::onVerticalAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CLumoBV::onHorizontalAction);
    relayout(font);
}

CLumoBV::~CLumoBV() = default;

void CLumoBV::relayout(const QFont& font)
{
    m_font = font;
    m_pTextOut = std::make_unique<CCellTextOut>(m_font);
    relayout();
}

void CLumoBV::relayout()
{
    m_bSelection = false;
    computeGeometry();
    updateScrollRanges();
    viewport()->update();
}

void CLumoBV::computeGeometry()
{
    const QFontMetrics metrics(m_font);
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    m_nFontHeight = metrics.height();
    // The half-width advance is the cell: CJK fonts report a wider average.
    m_nCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0'))
                                   + dpiX * m_pDoc->m_nPaneMargin / 254);
    m_nLineHeight = std::max(1, m_nFontHeight + dpiY * m_pDoc->m_nLineSpacing / 254);
    m_nLeftMarginPx = dpiX * g_settings.LeftMarginLM / 254;
    m_nTopMarginPx = dpiY * g_settings.TopMarginLM / 254;
    m_nFirstLineY = m_nTopMarginPx + m_nTopMarginPx / 2 + m_nLineHeight;
    const QSize client = viewport()->size();
    m_nVisibleLines = std::max(0, (client.height() - m_nFirstLineY) / m_nLineHeight);
    m_nVisibleColumns = std::max(0, (client.width() - m_nLeftMarginPx) / m_nCharWidth);
}

uint32_t CLumoBV::lineCount() const
{
    const uint32_t b = static_cast<uint32_t>(g_settings.BytesPerLine);
    return static_cast<uint32_t>((static_cast<uint64_t>(m_pDoc->m_nDataSize) + b - 1) / b);
}

uint32_t CLumoBV::lastVisibleOffset() const
{
    const uint32_t size = m_pDoc->m_nDataSize;
    const int height = viewport()->height() - m_nFirstLineY;
    if (size == 0 || height < 0)
        return 0;
    const uint64_t onScreen = (static_cast<uint64_t>(height) + m_nLineHeight - 1) / m_nLineHeight;
    const uint64_t lines = lineCount();
    const uint64_t last = std::min<uint64_t>(lines - 1, m_nTopLine + onScreen - (onScreen ? 1 : 0));
    const uint64_t b = static_cast<uint64_t>(g_settings.BytesPerLine);
    return static_cast<uint32_t>(std::min<uint64_t>((last + 1) * b - 1, size - 1));
}

void CLumoBV::updateScrollRanges()
{
    m_scroll.setVerticalRange(lineCount(), m_nVisibleLines);
    QScrollBar* vertical = verticalScrollBar();
    {
        const QSignalBlocker block(vertical);
        vertical->setEnabled(m_scroll.active);
        vertical->setRange(0, m_scroll.active ? m_scroll.maximum : 0);
        vertical->setPageStep(std::max(1, m_nVisibleLines));
        vertical->setSingleStep(1);
        vertical->setValue(m_scroll.active ? m_scroll.position : 0);
    }
    m_nTopLine = static_cast<uint32_t>(m_scroll.position);

    m_nHorzMaximum = DumpScroll::horizontalMaximum(g_settings.BytesPerLine, m_nCharWidth,
                                                   m_nVisibleColumns);
    if (m_nHorzMaximum == 0)
        m_nScrollColumn = 0;
    m_nScrollColumn = std::min(m_nScrollColumn, m_nHorzMaximum);
    QScrollBar* horizontal = horizontalScrollBar();
    const QSignalBlocker block(horizontal);
    horizontal->setEnabled(m_nHorzMaximum > 0);
    horizontal->setRange(0, m_nHorzMaximum);
    horizontal->setPageStep(std::max(1, m_nVisibleColumns));
    horizontal->setSingleStep(10);
    horizontal->setValue(m_nScrollColumn);
}

void CLumoBV::onVerticalAction(int action)
{
    const int page = std::max(0, (viewport()->height() - m_nFirstLineY) / m_nLineHeight);
    QScrollBar* bar = verticalScrollBar();
    const VerticalScrollAction answer = m_scroll.vertical(requestOf(action), bar->sliderPosition(), page);
    bar->setSliderPosition(answer.kind == VerticalScrollAction::Move ? m_scroll.position + answer.delta
                                                                      : m_scroll.position);
}

void CLumoBV::onHorizontalAction(int action)
{
    QScrollBar* bar = horizontalScrollBar();
    bar->setSliderPosition(DumpScroll::horizontal(requestOf(action), m_nScrollColumn,
                                                  bar->sliderPosition(), m_nVisibleColumns,
                                                  m_nHorzMaximum));
}

void CLumoBV::scrollContentsBy(int dx, int dy)
{
    if (dy != 0) {
        const int d = -dy;
        m_scroll.position += d;
        m_nTopLine = static_cast<uint32_t>(m_scroll.position);
        if (std::abs(d) < m_nVisibleLines) {
            const QRect data(m_nLeftMarginPx, m_nFirstLineY, viewport()->width() - m_nLeftMarginPx,
                             viewport()->height() - m_nFirstLineY);
            viewport()->scroll(0, -d * m_nLineHeight, data);
        } else {
            viewport()->update();
        }
    }
    if (dx != 0) {
        const int d = -dx;
        m_nScrollColumn += d;
        // The heading line moves with the data.
        const QRect area(m_nLeftMarginPx, m_nTopMarginPx, viewport()->width() - m_nLeftMarginPx,
                         viewport()->height() - m_nTopMarginPx);
        viewport()->scroll(-d * m_nCharWidth, 0, area);
    }
}

void CLumoBV::wheelEvent(QWheelEvent* event)
{
    if (m_scroll.active || m_scroll.position > 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // The whole file fits: the wheel asks the keyboard, as the inactive bar does.
    const ScrollRequest request = event->angleDelta().y() > 0 ? ScrollRequest::LineUp
                                                              : ScrollRequest::LineDown;
    const VerticalScrollAction answer = m_scroll.vertical(request, 0, m_nVisibleLines);
    if (answer.kind == VerticalScrollAction::Key) {
        QKeyEvent press(QEvent::KeyPress, answer.key, Qt::NoModifier);
        keyPressEvent(&press);
    }
    event->accept();
}

void CLumoBV::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    computeGeometry();
    updateScrollRanges();
}

void CLumoBV::invalidateByteRange(uint32_t first, uint32_t last)
{
    const uint32_t b = static_cast<uint32_t>(g_settings.BytesPerLine);
    const int top = std::max(m_nFirstLineY, lineTop(first / b));
    const int bottom = std::min(viewport()->height(), lineTop(last / b + 1));
    if (bottom > top)
        viewport()->update(QRect(0, top, viewport()->width(), bottom - top));
}

bool CLumoBV::caretMarksEnabled() const
{
    return g_settings.DrawUnderLine || g_settings.DrawUnderCaret;
}

void CLumoBV::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    CDocDumpSource source(*m_pDoc);
    CDumpLayout layout(source, g_settings);
    if (m_pDoc->m_nDataSize == 0 && caretMarksEnabled())
        drawCaretMarks(0, painter, true);
    if (event->rect().isEmpty())
        return;
    paintHeadingLine(painter, layout);
    if (m_pDoc->m_nDataSize == 0 || lineCount() == 0) {
        paintByteRange(0, 0, painter, layout);
        return;
    }
    // Only the lines the update rectangle touches are formatted.
    const uint32_t b = static_cast<uint32_t>(g_settings.BytesPerLine);
    const int y0 = std::max(0, event->rect().top() - m_nFirstLineY);
    const int y1 = std::max(0, event->rect().bottom() - m_nFirstLineY);
    const uint64_t firstLine = m_nTopLine + static_cast<uint64_t>(y0 / m_nLineHeight);
    const uint64_t lastLine = m_nTopLine + static_cast<uint64_t>(y1 / m_nLineHeight);
    const uint64_t first = firstLine * b;
    if (first < m_pDoc->m_nDataSize) {
        const uint64_t last = std::min<uint64_t>((lastLine + 1) * b - 1, m_pDoc->m_nDataSize - 1);
        paintByteRange(static_cast<uint32_t>(first), static_cast<uint32_t>(last), painter, layout);
    }
    if (m_bSelection)
        invertSelection(painter);
}

void CLumoBV::paintHeadingLine(QPainter& painter, CDumpLayout& layout)
{
    const QColor fg = colorOf(static_cast<uint32_t>(g_settings.AddressLineTextColor));
    const QColor bg = colorOf(static_cast<uint32_t>(g_settings.AddressLineBackColor));
    painter.save();
    painter.setClipRect(QRect(m_nLeftMarginPx, 0, viewport()->width() - m_nLeftMarginPx, m_nFirstLineY));
    uint8_t text[CDumpLayout::kPartBufferSize];
    for (int part = 1; part <= 3; ++part) {
        const int cells = layout.formatHeadingPart(part, text);
        // The address and hex backgrounds run two cells further right.
        drawPartText(painter, part, layout.geometry(), text, cells, m_nTopMarginPx,
                     part == 3 ? 1 : 3, fg, bg);
    }
    painter.restore();
}

void CLumoBV::drawPartText(QPainter& painter, int part, const CDumpGeometry& g, const uint8_t* text,
                           int cells, int top, int extraCells, const QColor& fg, const QColor& bg)
{
    if (cells <= 0)
        return;
    int x[CDumpLayout::kPartBufferSize];
    for (int k = 0; k < cells; ++k)
        x[k] = cellX(g.textColumn(part, k));
    m_pTextOut->draw(painter, text, cells, x, top, m_nLineHeight,
                     x[cells - 1] + extraCells * m_nCharWidth, fg, bg);
}

void CLumoBV::paintByteRange(uint32_t first, uint32_t last, QPainter& painter, CDumpLayout& layout)
{
    const uint32_t size = m_pDoc->m_nDataSize;
    const uint32_t b = static_cast<uint32_t>(g_settings.BytesPerLine);
    painter.save();
    if (m_nLeftMarginPx != 0 || m_nFirstLineY != 0)
        painter.setClipRect(QRect(m_nLeftMarginPx, m_nFirstLineY, viewport()->width() - m_nLeftMarginPx,
                                  viewport()->height() - m_nFirstLineY));
    if (size == 0) {
        paintLinePart(1, 0, painter, layout);
        if (caretMarksEnabled())
            drawCaretMarks(0, painter, true);
        painter.restore();
        return;
    }
    if (!(first <= last && last < size)) {
        last = std::min(last, size - 1);
        first = std::min(first, last);
    }
    const uint32_t windowFirst = m_nTopLine * b;
    const uint32_t windowLast = lastVisibleOffset();
    if (last < windowFirst || first > windowLast || windowFirst >= size) {
        painter.restore();
        return;
    }
    first = std::max(first, windowFirst);
    last = std::min(last, windowLast);
    if (last - first > kMaxRedrawBytes)
        last = first + kMaxRedrawBytes - 2;
    for (uint32_t line = first / b; line <= last / b; ++line)
        for (int part = 1; part <= 3; ++part)
            paintLinePart(part, line, painter, layout);
    if (caretMarksEnabled() && !m_bSelection)
        drawCaretMarks(m_nCaret / b, painter, true);
    painter.restore();
}

void CLumoBV::paintLinePart(int part, uint32_t line, QPainter& painter, CDumpLayout& layout)
{
    uint8_t text[CDumpLayout::kPartBufferSize];
    const int cells = layout.formatLinePart(part, line, text);
    const int top = lineTop(line);
    drawPartText(painter, part, layout.geometry(), text, cells, top, 1, colorOf(g_cabinet.textColor),
                 colorOf(g_cabinet.textBackColor));
    if (part == 2)
        paintSpecialBytes(line, painter, layout.geometry(), text, cells);
}

bool CLumoBV::isBinMark(uint32_t offset) const
{
    const auto first = m_pDoc->m_binMarks.begin();
    return std::binary_search(first, first + m_pDoc->m_nBinMarkCount, offset);
}

// Bytes equal to a colouring value, or marked, get their two digits drawn
// again in their own colour; the first colouring value wins over the second,
// both over the mark colour.
void CLumoBV::paintSpecialBytes(uint32_t line, QPainter& painter, const CDumpGeometry& g,
                                const uint8_t* hexText, int cells)
{
    const uint32_t p0 = line * static_cast<uint32_t>(g.B);
    const QColor bg = colorOf(g_cabinet.textBackColor);
    const int top = lineTop(line);
    for (int i = 0; i < cells / 2; ++i) {
        const uint32_t offset = p0 + static_cast<uint32_t>(i);
        const int value = m_pDoc->m_image.GetAt(offset);
        uint32_t color;
        if (value == g_settings.Binary1InEffect)
            color = static_cast<uint32_t>(g_settings.Binary1Color);
        else if (value == g_settings.Binary2InEffect)
            color = static_cast<uint32_t>(g_settings.Binary2Color);
        else if (isBinMark(offset))
            color = static_cast<uint32_t>(g_settings.MarkedPosColor);
        else
            continue;
        const int x[2] = { cellX(g.cellColumn(2, i)), cellX(g.cellColumn(2, i) + 1) };
        m_pTextOut->draw(painter, hexText + 2 * i, 2, x, top, m_nLineHeight, x[1] + m_nCharWidth,
                         colorOf(color), bg);
    }
}

void CLumoBV::invertSelection(QPainter& painter)
{
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const uint32_t b = static_cast<uint32_t>(g.B);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    const uint32_t firstLine = std::max(m_nSelStart / b, m_nTopLine);
    for (uint32_t line = firstLine; line <= m_nSelEnd / b; ++line) {
        const int top = lineTop(line);
        if (top > viewport()->height())
            break;
        const uint32_t from = std::max(m_nSelStart, line * b) % b;
        const uint32_t to = std::min(m_nSelEnd, line * b + b - 1) % b;
        const int hexLeft = cellX(g.cellColumn(2, static_cast<int>(from)));
        const int hexRight = cellX(g.cellColumn(2, static_cast<int>(to)) + 2);
        painter.fillRect(QRect(hexLeft, top, hexRight - hexLeft, m_nLineHeight), Qt::black);
        const int charLeft = cellX(g.cellColumn(3, static_cast<int>(from)));
        const int charRight = cellX(g.cellColumn(3, static_cast<int>(to)) + 1);
        painter.fillRect(QRect(charLeft, top, charRight - charLeft, m_nLineHeight), Qt::black);
    }
    painter.restore();
}

void CLumoBV::drawCaretMarks(uint32_t line, QPainter& painter, bool draw)
{
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const int y = lineTop(line);
    int yb = y + m_nFontHeight - 1;
    if (m_nLineHeight > m_nFontHeight + 1)
        yb += 2;
    if (g_settings.OneRasterLow == 1)
        yb += 1;
    const QColor erase = colorOf(g_cabinet.textBackColor);
    if (g_settings.DrawUnderLine) {
        const QColor color = draw ? colorOf(static_cast<uint32_t>(g_settings.CursorUnderLineColor)) : erase;
        painter.fillRect(QRect(m_nLeftMarginPx, yb, (g.C + g.B + 1) * m_nCharWidth, 1), color);
    }
    if (g_settings.DrawUnderCaret) {
        const QColor color = draw ? colorOf(static_cast<uint32_t>(g_settings.UnderCaretColor)) : erase;
        const int i = static_cast<int>(m_nCaret % static_cast<uint32_t>(g.B));
        const bool hexMark = !draw || !g_settings.OnlyOppositePart || m_nFocusPart != 2;
        const bool charMark = !draw || !g_settings.OnlyOppositePart || m_nFocusPart != 3;
        if (hexMark)
            painter.fillRect(QRect(cellX(g.cellColumn(2, i)) + 1, yb, 2 * m_nCharWidth - 2, 2), color);
        if (charMark)
            painter.fillRect(QRect(cellX(g.cellColumn(3, i)) + 1, yb, m_nCharWidth - 1, 2), color);
    }
}
