#include "binpane/widgets/CLumoBV.h"

#include "app/Settings.h"
#include "binpane/DocDumpSource.h"
#include "binpane/DumpLayout.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "platform/widgets/CellTextOut.h"
#include "platform/widgets/ColorRef.h"
#include "platform/Cp932.h"
#include "platform/widgets/SystemClipboard.h"

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace {

// The hex pane never formats more than this many bytes in one redraw.
constexpr uint32_t kMaxRedrawBytes = 30720;
// Timer 1 of the pane: the drag and auto-scroll tick.
constexpr int kDragTickMs = 50;
// Caret widths: a block in overwrite mode, a bar in insert mode.

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
    , m_model(*doc, *this)
{
    setAttribute(Qt::WA_InputMethodEnabled);
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

bool CLumoBV::focusNextPrevChild(bool)
{
    return false; // Tab switches between the hex and the character part
}

void CLumoBV::relayout(const QFont& font)
{
    m_font = font;
    m_pTextOut = std::make_unique<CCellTextOut>(m_font);
    relayout();
}

void CLumoBV::relayout()
{
    computeGeometry();
    updateScrollRanges();
    m_model.relayout();
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
                                   + dpiX * m_pDoc->PaneMargin() / 254);
    m_nLineHeight = std::max(1, m_nFontHeight + dpiY * m_pDoc->LineSpacing() / 254);
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
    return static_cast<uint32_t>((static_cast<uint64_t>(m_pDoc->DataSize()) + b - 1) / b);
}

uint32_t CLumoBV::lastVisibleOffset() const
{
    const uint32_t size = m_pDoc->DataSize();
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

bool CLumoBV::caretMarksEnabled() const
{
    return g_settings.DrawUnderLine || g_settings.DrawUnderCaret;
}

void CLumoBV::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    CDocDumpSource source(*m_pDoc);
    CDumpLayout layout(source, g_settings);
    if (m_pDoc->DataSize() == 0 && caretMarksEnabled())
        drawCaretMarks(0, painter, true);
    if (event->rect().isEmpty())
        return;
    paintHeadingLine(painter, layout);
    if (m_pDoc->DataSize() == 0 || lineCount() == 0) {
        paintByteRange(0, 0, painter, layout);
        drawCaret(painter);
        return;
    }
    // Only the lines the update rectangle touches are formatted.
    const uint32_t b = static_cast<uint32_t>(g_settings.BytesPerLine);
    const int y0 = std::max(0, event->rect().top() - m_nFirstLineY);
    const int y1 = std::max(0, event->rect().bottom() - m_nFirstLineY);
    const uint64_t firstLine = m_nTopLine + static_cast<uint64_t>(y0 / m_nLineHeight);
    const uint64_t lastLine = m_nTopLine + static_cast<uint64_t>(y1 / m_nLineHeight);
    const uint64_t first = firstLine * b;
    if (first < m_pDoc->DataSize()) {
        const uint64_t last = std::min<uint64_t>((lastLine + 1) * b - 1, m_pDoc->DataSize() - 1);
        paintByteRange(static_cast<uint32_t>(first), static_cast<uint32_t>(last), painter, layout);
    }
    if (m_model.m_bSelection)
        invertSelection(painter);
    drawCaret(painter);
}

void CLumoBV::paintHeadingLine(QPainter& painter, CDumpLayout& layout)
{
    const QColor fg = ColorFromRef(static_cast<uint32_t>(g_settings.AddressLineTextColor));
    const QColor bg = ColorFromRef(static_cast<uint32_t>(g_settings.AddressLineBackColor));
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
    const uint32_t size = m_pDoc->DataSize();
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
    if (caretMarksEnabled() && !m_model.m_bSelection)
        drawCaretMarks(m_model.m_nCaret / b, painter, true);
    painter.restore();
}

void CLumoBV::paintLinePart(int part, uint32_t line, QPainter& painter, CDumpLayout& layout)
{
    uint8_t text[CDumpLayout::kPartBufferSize];
    const int cells = layout.formatLinePart(part, line, text);
    const int top = lineTop(line);
    drawPartText(painter, part, layout.geometry(), text, cells, top, 1, ColorFromRef(g_cabinet.textColor),
                 ColorFromRef(g_cabinet.textBackColor));
    if (part == 2)
        paintSpecialBytes(line, painter, layout.geometry(), text, cells);
}

bool CLumoBV::isBinMark(uint32_t offset) const
{
    const auto marks = m_pDoc->BinaryMarks();
    return std::binary_search(marks.begin(), marks.end(), offset);
}

// Bytes equal to a colouring value, or marked, get their two digits drawn
// again in their own colour; the first colouring value wins over the second,
// both over the mark colour.
void CLumoBV::paintSpecialBytes(uint32_t line, QPainter& painter, const CDumpGeometry& g,
                                const uint8_t* hexText, int cells)
{
    const uint32_t p0 = line * static_cast<uint32_t>(g.B);
    const QColor bg = ColorFromRef(g_cabinet.textBackColor);
    const int top = lineTop(line);
    for (int i = 0; i < cells / 2; ++i) {
        const uint32_t offset = p0 + static_cast<uint32_t>(i);
        const int value = m_pDoc->GetAt(offset);
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
                         ColorFromRef(color), bg);
    }
}

void CLumoBV::invertSelection(QPainter& painter)
{
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const uint32_t b = static_cast<uint32_t>(g.B);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    const uint32_t selStart = m_model.m_nSelStart;
    const uint32_t selEnd = m_model.m_nSelEnd;
    const uint32_t firstLine = std::max(selStart / b, m_nTopLine);
    for (uint32_t line = firstLine; line <= selEnd / b; ++line) {
        const int top = lineTop(line);
        if (top > viewport()->height())
            break;
        const uint32_t from = std::max(selStart, line * b) % b;
        const uint32_t to = std::min(selEnd, line * b + b - 1) % b;
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
    const QColor erase = ColorFromRef(g_cabinet.textBackColor);
    if (g_settings.DrawUnderLine) {
        const QColor color = draw ? ColorFromRef(static_cast<uint32_t>(g_settings.CursorUnderLineColor)) : erase;
        painter.fillRect(QRect(m_nLeftMarginPx, yb, (g.C + g.B + 1) * m_nCharWidth, 1), color);
    }
    if (g_settings.DrawUnderCaret) {
        const QColor color = draw ? ColorFromRef(static_cast<uint32_t>(g_settings.UnderCaretColor)) : erase;
        const int i = static_cast<int>(m_model.m_nCaret % static_cast<uint32_t>(g.B));
        const bool hexMark = !draw || !g_settings.OnlyOppositePart || m_model.m_nFocusPart != 2;
        const bool charMark = !draw || !g_settings.OnlyOppositePart || m_model.m_nFocusPart != 3;
        if (hexMark)
            painter.fillRect(QRect(cellX(g.cellColumn(2, i)) + 1, yb, 2 * m_nCharWidth - 2, 2), color);
        if (charMark)
            painter.fillRect(QRect(cellX(g.cellColumn(3, i)) + 1, yb, m_nCharWidth - 1, 2), color);
    }
}

// ---- The caret the pane draws ------------------------------------------------

QRect CLumoBV::caretRect() const
{
    int height = m_nFontHeight;
    if (g_settings.DrawUnderCaret && height >= 3)
        height -= 2;
    return QRect(cellX(m_nCaretColumn), lineTop(m_nCaretLine), CDrawnCaret::width(), height);
}

void CLumoBV::drawCaret(QPainter& painter)
{
    m_caret.draw(painter, QRect(m_nLeftMarginPx, m_nFirstLineY, viewport()->width() - m_nLeftMarginPx,
                                viewport()->height() - m_nFirstLineY));
}

void CLumoBV::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_dragTimer.timerId()) {
        // Auto-scroll: outside the pane the caret keeps following the mouse.
        const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
        if (m_model.m_bTracking && m_pDoc->DataSize() > 0 && !viewport()->rect().contains(point))
            m_model.mouseMove(point.x(), point.y());
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---- Host of the model --------------------------------------------------------

PaneView CLumoBV::paneView() const
{
    PaneView view;
    view.hit = HitGeometry{ m_nCharWidth, m_nLineHeight, m_nLeftMarginPx, m_nFirstLineY, m_nTopLine,
                            m_nScrollColumn };
    view.visibleLines = m_nVisibleLines;
    view.visibleColumns = m_nVisibleColumns;
    view.horizontalMaximum = m_nHorzMaximum;
    view.verticalMaximum = m_scroll.maximum;
    view.verticalActive = m_scroll.active;
    return view;
}

void CLumoBV::invalidateLines(uint32_t first, uint32_t last)
{
    const int top = std::max(m_nFirstLineY, lineTop(first));
    const int64_t bottom = std::min<int64_t>(viewport()->height(),
                                             static_cast<int64_t>(lineTop(last)) + m_nLineHeight);
    if (bottom > top)
        viewport()->update(QRect(0, top, viewport()->width(), static_cast<int>(bottom - top)));
    emit editStateChanged();
}

void CLumoBV::invalidateAll()
{
    viewport()->update();
    emit editStateChanged();
}

void CLumoBV::dataSizeChanged()
{
    updateScrollRanges();
}

void CLumoBV::scrollTo(uint32_t topLine, int scrollColumn)
{
    if (m_scroll.active)
        verticalScrollBar()->setValue(static_cast<int>(topLine));
    if (m_nHorzMaximum > 0)
        horizontalScrollBar()->setValue(scrollColumn);
}

void CLumoBV::recreateCaret()
{
    m_caret.reshaped();
    emit editStateChanged();
}

void CLumoBV::placeCaret(uint32_t line, int column)
{
    m_caret.invalidate();
    m_nCaretLine = line;
    m_nCaretColumn = column;
    m_caret.placed();
}

void CLumoBV::showCaret(bool show)
{
    if (m_caret.show(show))
        emit editStateChanged();
}

void CLumoBV::setStatusTexts(const char* hexOffset, const char* decimalOffset, const char* byteValue)
{
    emit statusTextsChanged(QString::fromLatin1(hexOffset), QString::fromLatin1(decimalOffset),
                            QString::fromLatin1(byteValue));
}

void CLumoBV::putClipboardText(const uint8_t* cp932Bytes, size_t n)
{
    PutClipboardCp932(cp932Bytes, n);
}

bool CLumoBV::clipboardText(std::string& cp932Bytes)
{
    return GetClipboardCp932(cp932Bytes);
}

// ---- Keys, input method and mouse ----------------------------------------------

void CLumoBV::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier)) {
        // Alt with a key is a system key (menu mnemonics); it types nothing.
        event->ignore();
        return;
    }
    const std::string typed = cp932::FromUtf8(event->text().toStdString());
    m_model.keyPress(event->key(), modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier, typed);
    event->accept();
}

void CLumoBV::typeText(const QString& text)
{
    if (text.isEmpty())
        return;
    // Committed text arrives as Unicode; the pane types code page 932 bytes.
    m_model.keyPress(0, false, false, cp932::FromUtf8(text.toStdString()));
}

void CLumoBV::inputMethodEvent(QInputMethodEvent* event)
{
    typeText(event->commitString());
    event->accept();
}

QVariant CLumoBV::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle) {
        const QRect rect = caretRect();
        return QRect(viewport()->mapTo(this, rect.topLeft()), rect.size());
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void CLumoBV::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    m_model.mouseDown(point.x(), point.y(), event->modifiers() & Qt::ShiftModifier);
    m_dragTimer.start(kDragTickMs, this);
}

void CLumoBV::mouseMoveEvent(QMouseEvent* event)
{
    if (m_model.m_bTracking && (event->buttons() & Qt::LeftButton) && m_pDoc->DataSize() > 0) {
        const QPoint point = event->position().toPoint();
        m_model.mouseMove(point.x(), point.y());
    }
}

void CLumoBV::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_model.mouseUp();
    m_dragTimer.stop();
}

void CLumoBV::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_model.focusIn();
    m_caret.restartBlink();
}

void CLumoBV::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_caret.focusOut();
}
