#include "binpane/CBinaryCaretModel.h"

#include "app/Settings.h"
#include "platform/QtKeyCodes.h"
#include "doc/CLumoDoc.h"

#include <algorithm>
#include <cstdio>

CBinaryCaretModel::CBinaryCaretModel(CLumoDoc& doc, CBinaryPaneHost& host)
    : m_doc(doc)
    , m_host(host)
{
}

CDumpGeometry CBinaryCaretModel::geometry()
{
    return CDumpGeometry::FromSettings(g_settings);
}

uint32_t CBinaryCaretModel::dataSize() const
{
    return m_doc.DataSize();
}

uint32_t CBinaryCaretModel::lineCount() const
{
    const uint32_t b = bytesPerLine();
    return static_cast<uint32_t>((uint64_t{dataSize()} + b - 1) / b);
}

bool CBinaryCaretModel::caretMarksOn()
{
    return g_settings.DrawUnderLine != 0 || g_settings.DrawUnderCaret != 0;
}

HitResult CBinaryCaretModel::hitTest(int x, int y, const HitGeometry& g)
{
    const CDumpGeometry dump = geometry();
    // Integer division truncates toward zero, so a point just above the first
    // data line still hits the top line.
    const int64_t line = std::max<int64_t>(0, (y - g.firstLineY) / g.lineHeight + int64_t{g.topLine});
    const int column = (x - g.leftMargin) / g.charWidth + g.scrollColumn;

    HitResult hit;
    int index = 0;
    if (column >= dump.C - 1) {
        hit.part = kCharPart;
        index = std::max(0, column - dump.C);
    } else if (column >= 10) {
        // The blank after a byte belongs to the next byte.
        const int u = column - 9;
        const int group = u / (3 * dump.K + 1);
        index = (u - group * (3 * dump.K + 1)) / 3 + dump.K * group;
    }
    if (index >= dump.B) {
        index = dump.B - 1;
        hit.beyondEnd = true;
    }
    const int64_t offset = line * dump.B + index;
    hit.offset = static_cast<uint32_t>(std::min<int64_t>(offset, UINT32_MAX));
    return hit;
}

void CBinaryCaretModel::setCaretOffset(uint32_t offset, int secondDigit, bool recreateCaret,
                                       bool noScroll)
{
    if (offset > dataSize()) {
        offset = dataSize();
        secondDigit = 0;
    }
    const uint32_t b = bytesPerLine();
    // The caret marks belong to the caret line: repaint it where they leave and where they go.
    const bool moveMarks = caretMarksOn() && !m_bSelection
        && (m_nCaret / b != offset / b || g_settings.DrawUnderCaret != 0);
    if (moveMarks)
        invalidateCaretLine();
    if (!noScroll)
        scrollIntoView(offset);
    if (recreateCaret)
        m_host.recreateCaret();
    placeCaret(offset, secondDigit);
    updateStatus();
    if (moveMarks)
        invalidateCaretLine();
}

void CBinaryCaretModel::placeCaret(uint32_t offset, int secondDigit)
{
    const uint32_t b = bytesPerLine();
    m_nCaret = offset;
    m_bSecondDigit = secondDigit;
    int column = geometry().cellColumn(m_nFocusPart, static_cast<int>(offset % b));
    if (m_bSecondDigit)
        column += m_nFocusPart == kHexPart ? 2 : 1;
    m_host.placeCaret(offset / b, column);
}

void CBinaryCaretModel::updateStatus()
{
    char hex[16], decimal[16], value[8] = " ";
    std::snprintf(hex, sizeof hex, "0x%.8X", m_nCaret);
    std::snprintf(decimal, sizeof decimal, "%.8u", m_nCaret);
    if (m_nCaret < dataSize())
        std::snprintf(value, sizeof value, "%.3u", unsigned{m_doc.GetAt(m_nCaret)});
    m_host.setStatusTexts(hex, decimal, value);
}

uint32_t CBinaryCaretModel::clampTop(int64_t top, const PaneView& v) const
{
    top = std::max<int64_t>(top, 0);
    // A bar that is not active only ever moves back toward the top.
    const int64_t limit = v.verticalActive ? v.verticalMaximum : int64_t{v.hit.topLine};
    return static_cast<uint32_t>(std::clamp<int64_t>(top, 0, std::max<int64_t>(limit, 0)));
}

void CBinaryCaretModel::scrollIntoView(uint32_t offset)
{
    const PaneView v = m_host.paneView();
    const uint32_t b = bytesPerLine();
    const int c = geometry().cellColumn(m_nFocusPart, static_cast<int>(offset % b));
    int s = v.hit.scrollColumn;
    if (v.horizontalMaximum > 0 && v.visibleColumns != 0) {
        if (c > s + v.visibleColumns)
            s = std::min(s + std::max(c + 2 - s - v.visibleColumns, 10), v.horizontalMaximum);
        else if (c < s)
            s -= std::min(s, s - c + 10);
    }
    const int64_t line = offset / b;
    int64_t top = v.hit.topLine;
    if (v.visibleLines > 0) {
        if (line < top)
            top = line;
        else if (line > top + v.visibleLines - 1)
            top = clampTop(line - v.visibleLines + 1, v);
    }
    if (top != int64_t{v.hit.topLine} || s != v.hit.scrollColumn)
        m_host.scrollTo(static_cast<uint32_t>(top), s);
}

void CBinaryCaretModel::scrollPage(int direction)
{
    const PaneView v = m_host.paneView();
    if (!v.verticalActive)
        return;
    const uint32_t top = clampTop(int64_t{v.hit.topLine} + int64_t{direction} * v.visibleLines, v);
    if (top != v.hit.topLine)
        m_host.scrollTo(top, v.hit.scrollColumn);
}

uint32_t CBinaryCaretModel::moveTarget(uint32_t offset, int key, bool ctrl)
{
    const uint64_t size = dataSize();
    const uint64_t b = bytesPerLine();
    const uint64_t line = offset / b;
    const uint64_t page = uint64_t(std::max(0, m_host.paneView().visibleLines)) * b;
    uint64_t target = offset;
    switch (key) {
    case qtkey::Key_Left:
        if (m_bSecondDigit)
            m_bSecondDigit = 0; // the half-typed byte keeps the caret
        else if (offset > 0)
            target = offset - 1;
        break;
    case qtkey::Key_Right: target = offset + 1; break;
    case qtkey::Key_Up: target = (line > 0 ? line - 1 : 0) * b + uint64_t(m_nPreferredColumn); break;
    case qtkey::Key_Down: target = (line + 1) * b + uint64_t(m_nPreferredColumn); break;
    case qtkey::Key_Home: target = ctrl ? 0 : line * b; break;
    case qtkey::Key_End: target = ctrl ? size : line * b + b - 1; break;
    case qtkey::Key_PageUp:
        scrollPage(-1);
        target = offset > page ? offset - page : 0;
        break;
    case qtkey::Key_PageDown:
        scrollPage(1);
        target = offset + page;
        break;
    default: break;
    }
    return static_cast<uint32_t>(std::min(target, size));
}

bool CBinaryCaretModel::navigationKey(int key, bool shift, bool ctrl)
{
    switch (key) {
    case qtkey::Key_Left: case qtkey::Key_Right: case qtkey::Key_Up: case qtkey::Key_Down:
    case qtkey::Key_Home: case qtkey::Key_End: case qtkey::Key_PageUp: case qtkey::Key_PageDown:
        break;
    default:
        return false;
    }
    if (!shift)
        clearSelection();
    const uint32_t old = std::min(m_nCaret, dataSize());
    const uint32_t target = moveTarget(old, key, ctrl);
    if (key != qtkey::Key_Up && key != qtkey::Key_Down)
        m_nPreferredColumn = static_cast<int32_t>(target % bytesPerLine());
    setCaretOffset(target);
    if (shift)
        extendSelection(old, target);
    return true;
}

void CBinaryCaretModel::switchPart()
{
    m_nFocusPart = m_nFocusPart == kHexPart ? kCharPart : kHexPart;
    setCaretOffset(m_nCaret);
}

void CBinaryCaretModel::invalidateOffsets(uint32_t first, uint32_t last)
{
    const uint32_t b = bytesPerLine();
    m_host.invalidateLines(first / b, last / b);
}

void CBinaryCaretModel::invalidateCaretLine()
{
    const uint32_t line = m_nCaret / bytesPerLine();
    m_host.invalidateLines(line, line);
}

void CBinaryCaretModel::setSelectionShown(bool shown)
{
    if ((m_bSelection != 0) == shown)
        return;
    m_bSelection = shown;
    m_host.showCaret(!shown);
}

void CBinaryCaretModel::moveSelectionEnd(uint32_t end)
{
    // Boundaries lie between bytes: never beyond the data.
    end = std::min(end, dataSize());
    m_nAnchor = std::min(m_nAnchor, dataSize());
    m_nDragEnd = end;
    if (end != m_nPreviousEnd) {
        if (!m_bSelection && caretMarksOn())
            invalidateCaretLine();
        invalidateOffsets(std::min(end, m_nPreviousEnd), std::max(end, m_nPreviousEnd) - 1);
        m_nPreviousEnd = end;
    }
    if (m_nDragEnd != m_nAnchor) {
        m_nSelStart = std::min(m_nDragEnd, m_nAnchor);
        m_nSelEnd = std::max(m_nDragEnd, m_nAnchor) - 1;
        setSelectionShown(true);
    } else {
        setSelectionShown(false);
        if (caretMarksOn())
            invalidateCaretLine();
    }
}

void CBinaryCaretModel::extendSelection(uint32_t from, uint32_t to)
{
    if (!m_bSelection)
        m_nAnchor = m_nPreviousEnd = std::min(from, dataSize());
    moveSelectionEnd(to);
}

void CBinaryCaretModel::clearSelection()
{
    if (m_bSelection) {
        invalidateOffsets(m_nSelStart, m_nSelEnd);
        setSelectionShown(false);
        if (caretMarksOn())
            invalidateCaretLine();
    }
    m_bTracking = 0;
}

void CBinaryCaretModel::keepSelectionInData()
{
    if (!m_bSelection)
        return;
    if (m_nSelStart >= dataSize()) {
        m_host.invalidateAll();
        setSelectionShown(false);
        return;
    }
    m_nSelEnd = std::min(m_nSelEnd, dataSize() - 1);
}

void CBinaryCaretModel::selectAll()
{
    if (dataSize() == 0)
        return;
    clearSelection();
    m_nSelStart = 0;
    m_nSelEnd = dataSize() - 1;
    setSelectionShown(true);
    m_host.invalidateAll();
}

void CBinaryCaretModel::showLine(uint32_t line, int mode, bool force, std::optional<uint32_t> offset)
{
    const PaneView v = m_host.paneView();
    const uint32_t lines = lineCount();
    if (v.visibleLines <= 0 || lines == 0)
        return;
    line = std::min(line, lines - 1);
    int64_t top;
    if (mode == 0) {
        top = line;
    } else if (mode == 1) {
        const int64_t half = v.visibleLines / 2;
        top = std::min<int64_t>(line, std::max<int64_t>(0, int64_t{line} - half + 1));
    } else {
        top = std::max<int64_t>(0, int64_t{line} - v.visibleLines + 1);
    }
    const bool visible = line >= v.hit.topLine && line < int64_t{v.hit.topLine} + v.visibleLines;
    const uint32_t newTop = clampTop(top, v);
    if ((force && newTop != v.hit.topLine) || !visible)
        m_host.scrollTo(newTop, v.hit.scrollColumn);
    const uint32_t caret = std::min(offset.value_or(line * bytesPerLine()), dataSize());
    m_nPreferredColumn = static_cast<int32_t>(caret % bytesPerLine());
    setCaretOffset(caret);
}

void CBinaryCaretModel::restoreView(uint32_t topLine, uint32_t offset)
{
    if (topLine >= lineCount())
        return;
    clearSelection();
    showLine(topLine, 0, true, offset);
}

void CBinaryCaretModel::mouseDown(int x, int y, bool shift)
{
    const HitResult hit = hitTest(x, y, m_host.paneView().hit);
    m_nFocusPart = hit.part;
    m_nPreferredColumn = static_cast<int32_t>(hit.offset % bytesPerLine());
    const uint32_t old = m_nCaret;
    setCaretOffset(hit.offset);
    if (shift) {
        extendSelection(old, m_nCaret);
    } else {
        clearSelection();
        // A press right of a line's last byte anchors after that byte.
        m_nAnchor = std::min(m_nCaret + uint32_t{hit.beyondEnd}, dataSize());
        m_nPreviousEnd = m_nAnchor;
    }
    m_bTracking = 1;
}

void CBinaryCaretModel::mouseMove(int x, int y)
{
    if (!m_bTracking || dataSize() == 0)
        return;
    const HitResult hit = hitTest(x, y, m_host.paneView().hit);
    setCaretOffset(hit.offset);
    moveSelectionEnd(static_cast<uint32_t>(
        std::min<uint64_t>(uint64_t{hit.offset} + hit.beyondEnd, dataSize())));
}

void CBinaryCaretModel::relayout()
{
    setSelectionShown(false);
    setCaretOffset(m_nCaret, m_bSecondDigit, true, true);
}

void CBinaryCaretModel::focusIn()
{
    setCaretOffset(m_nCaret, m_bSecondDigit, true, true);
    m_host.showCaret(!m_bSelection);
}
