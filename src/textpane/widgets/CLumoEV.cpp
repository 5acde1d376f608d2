#include "textpane/widgets/CLumoEV.h"

#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "platform/Cp932.h"
#include "platform/widgets/CellTextOut.h"
#include "platform/widgets/ColorRef.h"
#include "platform/widgets/SystemClipboard.h"
#include "textpane/TextColouring.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace {

// Timer 1 of the pane: the drag tick.
constexpr int kDragTickMs = 50;
// A run of equal colour is drawn in one glyph run of at most this many bytes.
constexpr uint32_t kMaxRunBytes = 250;
// How far the colour pass looks beyond the lines drawn for their line's
// start and end (words and comments are found in whole lines).
constexpr uint32_t kColourContext = 4096;
// The marks' largest size in pixels.
constexpr int kMarkSize = 8;

bool isBlank(uint8_t b)
{
    return b < 0x20; // CR, tab and the other control bytes are drawn as blank cells
}

} // namespace

CLumoEV::CLumoEV(CLumoDoc* doc, const QFont& font, QWidget* parent)
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
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    m_font = font;
    m_pTextOut = std::make_unique<CCellTextOut>(m_font);
    computeGeometry();
    m_model.textLoaded();
    updateScrollRanges();
}

CLumoEV::~CLumoEV() = default;

bool CLumoEV::focusNextPrevChild(bool)
{
    return false; // Tab is a key of the pane (and beeps: the pane does not edit)
}

void CLumoEV::textLoaded()
{
    m_model.textLoaded();
    updateScrollRanges();
    viewport()->update();
}

void CLumoEV::appendOutput(int hint, const void* object)
{
    m_model.appendOutput(hint, object);
    updateScrollRanges();
}

void CLumoEV::followChange(const DocChange& change)
{
    updateScrollRanges();
    m_model.followChange(change);
}

void CLumoEV::relayout(const QFont& font, bool rewrap)
{
    m_font = font;
    m_pTextOut = std::make_unique<CCellTextOut>(m_font);
    computeGeometry();
    m_model.relayout(rewrap);
    updateScrollRanges();
    m_model.setCaret(m_model.caret());
    viewport()->update();
}

void CLumoEV::computeGeometry()
{
    const QFontMetrics metrics(m_font);
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    m_nFontHeight = metrics.height();
    // The half-width advance is the cell: CJK fonts report a wider average.
    m_nCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')) + dpiX * m_pDoc->PaneMargin() / 254);
    m_nLineHeight = std::max(1, m_nFontHeight + dpiY * m_pDoc->LineSpacing() / 254);
    m_nLeftMarginPx = dpiX * g_settings.LeftMarginLM / 254;
    m_nTopMarginPx = dpiY * g_settings.TopMarginLM / 254;
    const QSize client = viewport()->size();
    m_nVisibleRows = std::max(0, (client.height() - m_nTopMarginPx) / m_nLineHeight);
    m_nVisibleCols = std::max(0, (client.width() - m_nLeftMarginPx) / m_nCharWidth);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, ColorFromRef(g_cabinet.textBackColor));
    viewport()->setPalette(palette);
}

void CLumoEV::updateScrollRanges()
{
    const std::optional<uint32_t> vertical = m_model.verticalMaximum();
    if (!vertical)
        m_nTopLine = 0;
    m_nTopLine = std::min(m_nTopLine, vertical.value_or(0));
    QScrollBar* bar = verticalScrollBar();
    {
        const QSignalBlocker block(bar);
        bar->setEnabled(vertical.has_value());
        bar->setRange(0, static_cast<int>(vertical.value_or(0)));
        bar->setPageStep(std::max(1, m_nVisibleRows));
        bar->setValue(static_cast<int>(m_nTopLine));
    }
    const uint32_t horizontal = m_model.horizontalMaximum();
    m_nScrollColumn = std::min(m_nScrollColumn, horizontal);
    bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setEnabled(horizontal > 0);
    bar->setRange(0, static_cast<int>(horizontal));
    bar->setPageStep(std::max(1, m_nVisibleCols));
    bar->setValue(static_cast<int>(m_nScrollColumn));
}

void CLumoEV::scrollContentsBy(int dx, int dy)
{
    const QRect text(m_nLeftMarginPx, m_nTopMarginPx, viewport()->width() - m_nLeftMarginPx,
                     viewport()->height() - m_nTopMarginPx);
    if (dy != 0) {
        m_nTopLine = static_cast<uint32_t>(static_cast<int64_t>(m_nTopLine) - dy);
        // A move smaller than the view scrolls the pixels and repaints what is uncovered.
        if (std::abs(dy) < m_nVisibleRows)
            viewport()->scroll(0, dy * m_nLineHeight, text);
        else
            viewport()->update();
    }
    if (dx != 0) {
        m_nScrollColumn = static_cast<uint32_t>(static_cast<int64_t>(m_nScrollColumn) - dx);
        viewport()->scroll(dx * m_nCharWidth, 0, text);
    }
    emit scrolled(dx, dy);
}

void CLumoEV::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    computeGeometry();
    updateScrollRanges();
    m_model.setCaret(m_model.caret());
}

// ---- Painting -----------------------------------------------------------------

void CLumoEV::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect rect = event->rect();
    const uint32_t count = m_model.lineCount();
    if (m_pDoc->DataSize() > 0 && count > 0 && !rect.isEmpty()) {
        const int64_t top = std::max(0, rect.top() - m_nTopMarginPx) / m_nLineHeight;
        const int64_t bottom = std::max(0, rect.bottom() - m_nTopMarginPx) / m_nLineHeight;
        const int64_t first = m_nTopLine + top;
        const int64_t last = std::min<int64_t>(m_nTopLine + bottom, count - 1);
        if (first <= last) {
            painter.save();
            // Nothing is drawn in the margins, nor right of the widest line.
            int right = viewport()->width();
            const int widest = cellX(m_model.maxColumns() + 2);
            right = std::min(right, widest);
            painter.setClipRect(QRect(m_nLeftMarginPx, m_nTopMarginPx, right - m_nLeftMarginPx,
                                      viewport()->height() - m_nTopMarginPx));
            paintLines(painter, static_cast<uint32_t>(first), static_cast<uint32_t>(last));
            painter.restore();
        }
    }
    drawCaret(painter);
}

void CLumoEV::paintLines(QPainter& painter, uint32_t first, uint32_t last)
{
    CTextLineModel& lines = m_model.lines();
    const uint32_t size = m_pDoc->DataSize();
    const uint32_t count = lines.lineCount();
    const uint32_t from = lines.lineStart(first);
    const uint32_t to = last + 1 < count ? lines.lineStart(last + 1) : size;
    if (to <= from)
        return;

    // The colour pass reads whole logical lines around the lines drawn, when they are not far off.
    const CRowTable& rows = m_pDoc->Rows();
    uint32_t logicalRow = first;
    while (logicalRow > 0 && !rows.BeginsLine(logicalRow))
        --logicalRow;
    uint32_t logicalStart = lines.lineStart(logicalRow);
    uint32_t sourceStart = logicalStart;
    if (from - sourceStart > kColourContext)
        sourceStart = from;
    uint32_t sourceEnd = to;
    if (to < size && m_pDoc->GetAt(to - 1) != '\n') {
        const uint32_t n = std::min(size - to, kColourContext);
        const uint8_t* ahead = m_pDoc->GetSpanPointer(to, n);
        if (const void* cr = std::memchr(ahead, CTextWrap::kCr, n))
            sourceEnd = std::min(size, to + static_cast<uint32_t>(static_cast<const uint8_t*>(cr) - ahead) + 2);
        else if (to + n == size)
            sourceEnd = size;
    }
    const uint8_t* source = m_pDoc->GetSpanPointer(sourceStart, sourceEnd - sourceStart);
    m_colours.assign(to - from, 0);
    CColourRules rules;
    rules.documentType = g_cabinet.nDocumentType;
    rules.colours = CTextColours::Of(g_cabinet);
    rules.userKeywords = &g_cabinet.keywords;
    rules.markedStrings = m_pDoc->Tags();
    rules.areaComments = g_settings.ColorAreaComment != 0;
    rules.comments = &m_pDoc->Comments();
    ColourBytes({{source, sourceEnd - sourceStart}, sourceStart}, from, m_colours, rules);

    const CTextColours& colours = rules.colours;
    const QColor textColor = ColorFromRef(colours.text);
    const QColor textBack = ColorFromRef(colours.textBack);
    const int right = viewport()->width();
    const auto marks = m_pDoc->TextMarks();
    const auto [selStart, selEnd] = m_model.selection();
    const std::optional<CTextBox> box = m_model.box();
    const bool selection = m_model.hasSelection() && !box;
    const CTextWrap& wrap = lines.wrap();

    for (uint32_t line = first; line <= last; ++line) {
        const uint32_t start = lines.lineStart(line);
        const uint32_t end = line + 1 < count ? lines.lineStart(line + 1) : size;
        const uint8_t* text = source + (start - sourceStart);
        const uint32_t n = end - start;
        const int y = lineTop(line);
        // A marked line: every unit in the default colour on the marked-line background.
        if (line != first && rows.BeginsLine(line))
            logicalStart = start;
        const uint32_t mark = logicalStart == 0 ? CLumoDoc::kFirstLineMark : logicalStart - 2;
        // The line a tag jump led to: the same, on the tag-origin background.
        const bool tagOrigin = mark == m_pDoc->TextAuxPos();
        const bool marked = tagOrigin || std::binary_search(marks.begin(), marks.end(), mark);
        const QColor lineBack = tagOrigin ? ColorFromRef(colours.tagOriginBack)
                              : marked    ? ColorFromRef(colours.markedLineBack)
                                          : textBack;

        uint32_t column = 0;
        int64_t selLeft = -1, selRight = -1;
        for (uint32_t q = 0; q < n;) {
            if (start + q == selStart)
                selLeft = column;
            if (start + q == selEnd)
                selRight = column;
            const uint32_t colour = marked ? 0 : m_colours[start - from + q];
            const QColor fg = colour == 0 || (colour & CTextColours::kBackgroundBit) ? textColor : ColorFromRef(colour);
            const QColor bg = colour & CTextColours::kBackgroundBit
                ? ColorFromRef(colour & ~CTextColours::kBackgroundBit) : lineBack;
            const uint8_t b = text[q];
            if (isBlank(b)) {
                const uint32_t len = CTextWrap::UnitLength(text + q, n - q);
                const uint32_t width = wrap.UnitWidth(text + q, n - q, column);
                const int x = cellX(column);
                painter.fillRect(x, y, cellX(column + width) - x, m_nLineHeight, bg);
                if (b == CTextWrap::kCr && g_cabinet.bShowCrMarks) {
                    const int size = std::min(kMarkSize, m_nLineHeight);
                    const int mx = x + m_nCharWidth / 2;
                    const int bottomY = y + m_nLineHeight - 1;
                    painter.setPen(ColorFromRef(colours.crMark));
                    painter.drawLine(mx, bottomY - size + 1, mx, bottomY);
                    painter.drawLine(mx - 2, bottomY - 2, mx, bottomY);
                    painter.drawLine(mx + 2, bottomY - 2, mx, bottomY);
                } else if (b == '\t' && g_cabinet.bShowTabMarks) {
                    const int size = std::min(kMarkSize, m_nCharWidth);
                    const int my = y + m_nLineHeight / 2;
                    painter.setPen(ColorFromRef(colours.tabMark));
                    painter.drawLine(x, my, x + size - 1, my);
                    painter.drawLine(x + size - 3, my - 2, x + size - 1, my);
                    painter.drawLine(x + size - 3, my + 2, x + size - 1, my);
                }
                column += width;
                q += len;
                continue;
            }
            // A run: ordinary units of one colour, each pinned to its cells.
            m_x.clear();
            const uint32_t runStart = q;
            while (q < n && !isBlank(text[q]) && q - runStart < kMaxRunBytes
                   && (marked ? 0 : m_colours[start - from + q]) == colour) {
                if (q != runStart && start + q == selStart)
                    selLeft = column;
                if (q != runStart && start + q == selEnd)
                    selRight = column;
                const uint32_t len = CTextWrap::UnitLength(text + q, n - q);
                m_x.push_back(cellX(column));
                if (len == 2)
                    m_x.push_back(cellX(column + 1));
                column += len;
                q += len;
            }
            m_pTextOut->draw(painter, text + runStart, static_cast<int>(q - runStart), m_x.data(), y,
                             m_nLineHeight, cellX(column), fg, bg);
        }
        const int lineEnd = cellX(column);
        if (lineEnd < right)
            painter.fillRect(lineEnd, y, right - lineEnd, m_nLineHeight, lineBack);
        // The selection is shown by inverting its cells.
        if (selection && selStart < end && selEnd > start) {
            const int left = selStart <= start ? cellX(0) : cellX(static_cast<uint32_t>(selLeft));
            const int rightX = selEnd >= end ? lineEnd : cellX(static_cast<uint32_t>(selRight));
            invertPixels(painter, left, rightX, y);
        }
        if (box && line >= box->top && line <= box->bottom)
            invertPixels(painter, cellX(box->left), cellX(box->right), y);
    }
}

void CLumoEV::invertPixels(QPainter& painter, int left, int right, int y)
{
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(QRect(left, y, right - left, m_nLineHeight), Qt::black);
    painter.restore();
}

// ---- The caret the pane draws ------------------------------------------------

QRect CLumoEV::caretRect() const
{
    return QRect(cellX(m_nCaretCol), lineTop(m_nCaretLine), CDrawnCaret::width(), m_nFontHeight);
}

void CLumoEV::drawCaret(QPainter& painter)
{
    m_caret.draw(painter, QRect(m_nLeftMarginPx, m_nTopMarginPx, viewport()->width() - m_nLeftMarginPx,
                                viewport()->height() - m_nTopMarginPx));
}

void CLumoEV::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        m_model.autoScrollTick();
    } else if (event->timerId() == m_dragTimer.timerId()) {
        // Outside the pane the view scrolls towards the pointer and the selection follows.
        const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
        if (m_model.dragging() && !viewport()->rect().contains(point))
            m_model.mouseMove(point.x(), point.y());
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---- Host of the model --------------------------------------------------------

TextPaneView CLumoEV::paneView() const
{
    return {m_nCharWidth, m_nLineHeight, m_nLeftMarginPx, m_nTopMarginPx, m_nTopLine, m_nScrollColumn,
            m_nVisibleRows, m_nVisibleCols};
}

void CLumoEV::scrollTo(uint32_t topLine, uint32_t scrollColumn)
{
    verticalScrollBar()->setValue(static_cast<int>(topLine));
    horizontalScrollBar()->setValue(static_cast<int>(scrollColumn));
}

void CLumoEV::invalidateLines(uint32_t first, uint32_t last)
{
    const int top = std::max<int64_t>(m_nTopMarginPx, int64_t{lineTop(std::max(first, m_nTopLine))});
    const int64_t bottom = std::min<int64_t>(viewport()->height(),
                                             int64_t{lineTop(std::max(last, m_nTopLine))} + m_nLineHeight);
    if (last >= m_nTopLine && bottom > top)
        viewport()->update(QRect(0, top, viewport()->width(), static_cast<int>(bottom - top)));
    emit editStateChanged();
}

void CLumoEV::invalidateAll()
{
    viewport()->update();
    emit editStateChanged();
}

void CLumoEV::recreateCaret()
{
    m_caret.reshaped();
    emit editStateChanged();
}

void CLumoEV::placeCaret(uint32_t column, uint32_t line)
{
    m_caret.invalidate();
    m_nCaretCol = column;
    m_nCaretLine = line;
    m_caret.placed();
    emit caretPlaced(column, line);
}

void CLumoEV::showCaret(bool show)
{
    if (m_caret.show(show))
        emit editStateChanged();
}

void CLumoEV::setStatusTexts(const char* line, const char* column, const char* columnHigh)
{
    emit statusTextsChanged(QString::fromLatin1(line), QString::fromLatin1(column),
                            QString::fromLatin1(columnHigh));
}

void CLumoEV::putClipboardText(const uint8_t* cp932Bytes, size_t n)
{
    PutClipboardCp932(cp932Bytes, n);
}

bool CLumoEV::clipboardText(std::string& cp932Bytes)
{
    return GetClipboardCp932(cp932Bytes);
}

void CLumoEV::startAutoScrollTimer(int ms)
{
    m_autoScrollTimer.start(ms, this);
}

void CLumoEV::stopAutoScrollTimer()
{
    m_autoScrollTimer.stop();
}

void CLumoEV::openTag(const CTagTarget& tag)
{
    // The document's bytes name the file in code page 932; the file system wants Unicode.
    emit tagJumpRequested(QString::fromStdString(cp932::ToUtf8(tag.name)), static_cast<int>(tag.line));
}

// ---- Keys and mouse -----------------------------------------------------------

void CLumoEV::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier)) {
        event->ignore(); // Alt with a key is a menu mnemonic
        return;
    }
    const QString text = event->text();
    const bool typesText = !text.isEmpty() && (text.at(0) >= QLatin1Char(' ') || text.at(0) == QLatin1Char('\t')
                                               || text.at(0) == QLatin1Char('\r'));
    m_model.keyPress(event->key(), modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier, typesText);
    event->accept();
}

QVariant CLumoEV::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle) {
        const QRect rect = caretRect();
        return QRect(viewport()->mapTo(this, rect.topLeft()), rect.size());
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void CLumoEV::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    m_model.mouseDown(point.x(), point.y(), event->modifiers() & Qt::ShiftModifier,
                      event->modifiers() & Qt::ControlModifier);
    m_dragTimer.start(kDragTickMs, this);
}

void CLumoEV::mouseMoveEvent(QMouseEvent* event)
{
    if (m_model.dragging() && (event->buttons() & Qt::LeftButton)) {
        const QPoint point = event->position().toPoint();
        m_model.mouseMove(point.x(), point.y());
    }
}

void CLumoEV::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_model.mouseUp();
    m_dragTimer.stop();
}

void CLumoEV::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || (event->modifiers() & Qt::ControlModifier))
        return;
    const QPoint point = event->position().toPoint();
    m_model.doubleClick(point.x(), point.y(), event->modifiers() & Qt::ShiftModifier);
}

void CLumoEV::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_model.setCaret(m_model.caret(), true, true);
    showCaret(!m_model.hasSelection());
    m_caret.restartBlink();
}

void CLumoEV::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_dragTimer.stop();
    m_model.mouseUp();
    m_model.stopAutoScroll();
    m_caret.focusOut();
    emit focusLost();
}
