#include "textpane/CTextCaretModel.h"

#include "app/Settings.h"
#include "binpane/BinaryClipboard.h"
#include "binpane/CBinaryFinder.h"
#include "binpane/FindOptions.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "platform/Messages.h"
#include "platform/QtKeyCodes.h"
#include "textpane/TextEditor.h"
#include "textpane/TextSearch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

CTextLayout TextLayoutOf(const CLumoDoc& doc)
{
    return {static_cast<uint32_t>(std::clamp(doc.FoldColumn(), 10, 250)),
            static_cast<uint32_t>(std::clamp(doc.TabWidth(), 2, 20)), g_cabinet.bWordWrap != 0,
            g_cabinet.bKinsoku != 0, g_settings.ColumnOutString};
}

CTextCaretModel::CTextCaretModel(CLumoDoc& doc, CTextPaneHost& host)
    : m_doc(doc)
    , m_host(host)
{
    m_lines.emplace(doc, TextLayoutOf(doc));
}

// ---- Scrolling ----------------------------------------------------------------

std::optional<uint32_t> CTextCaretModel::verticalMaximum() const
{
    const int64_t rows = m_host.paneView().visibleRows;
    const int64_t count = lineCount();
    // The empty line after the last one is room for the caret at the text end.
    if (count + 1 <= rows)
        return std::nullopt;
    return static_cast<uint32_t>(std::max<int64_t>(0, count - rows + 1));
}

uint32_t CTextCaretModel::horizontalMaximum() const
{
    const int64_t columns = m_host.paneView().visibleColumns;
    const int64_t widest = int64_t{maxColumns()} + 1;
    return widest > columns ? static_cast<uint32_t>(widest - std::max<int64_t>(columns, 0)) : 0;
}

uint32_t CTextCaretModel::clampTop(int64_t top) const
{
    return static_cast<uint32_t>(std::clamp<int64_t>(top, 0, verticalMaximum().value_or(0)));
}

void CTextCaretModel::scrollIntoView(Position position)
{
    const TextPaneView v = m_host.paneView();
    int64_t s = v.scrollColumn;
    const int64_t c = position.column;
    if (v.visibleColumns >= 1) {
        // At least 10 columns a step, so that typing along a line scrolls rarely.
        if (c > s + v.visibleColumns)
            s = std::min<int64_t>(s + std::max<int64_t>(c + 2 - s - v.visibleColumns, 10), horizontalMaximum());
        else if (c < s)
            s = std::max<int64_t>(0, c - 10);
    }
    int64_t top = v.topLine;
    const int64_t line = position.line;
    if (line < top)
        top = line;
    else if (v.visibleRows > 0 && line >= top + v.visibleRows)
        top = clampTop(line - v.visibleRows + 1);
    if (top != int64_t{v.topLine} || s != int64_t{v.scrollColumn})
        m_host.scrollTo(static_cast<uint32_t>(top), static_cast<uint32_t>(s));
}

void CTextCaretModel::scrollBy(int64_t lines)
{
    const TextPaneView v = m_host.paneView();
    if (!verticalMaximum())
        return;
    const uint32_t top = clampTop(int64_t{v.topLine} + lines);
    if (top != v.topLine)
        m_host.scrollTo(top, v.scrollColumn);
}

// ---- Positions ----------------------------------------------------------------

uint32_t CTextCaretModel::lastLine()
{
    return m_lines->lineOf(m_doc.DataSize());
}

CTextCaretModel::Position CTextCaretModel::snap(uint32_t column, uint32_t line, bool freeCursor)
{
    line = std::min(line, lastLine());
    const CTextLineModel::Hit hit = m_lines->offsetAt(column, line, freeCursor);
    return {std::min(m_lines->columnOf(hit.offset) + hit.surplus, maxColumns()), line};
}

uint32_t CTextCaretModel::unitLength(uint32_t offset)
{
    const uint32_t size = m_doc.DataSize();
    if (offset >= size)
        return 0;
    const uint32_t n = std::min<uint32_t>(size - offset, 2);
    return CTextWrap::UnitLength(m_doc.GetSpanPointer(offset, n), n);
}

uint32_t CTextCaretModel::offsetOf(Position position)
{
    const CTextLineModel::Hit hit = m_lines->offsetAt(position.column, std::min(position.line, lastLine()), true);
    // Past a line's end the caret stands after its last unit, but before a CR LF.
    if (hit.surplus > 0 && m_doc.GetAt(hit.offset) != CTextWrap::kCr)
        return hit.offset + unitLength(hit.offset);
    return hit.offset;
}

uint32_t CTextCaretModel::caretOffset()
{
    return offsetOf(caret());
}

CTextCaretModel::Position CTextCaretModel::endOfText()
{
    return m_lines->offsetToPosition(m_doc.DataSize());
}

uint32_t CTextCaretModel::unitBefore(uint32_t offset)
{
    uint32_t line = m_lines->lineOf(offset);
    uint32_t start = m_lines->lineStart(line);
    if (start >= offset && line > 0)
        start = m_lines->lineStart(line - 1);
    const uint32_t n = offset - start;
    const uint8_t* s = m_doc.GetSpanPointer(start, n);
    uint32_t q = 0;
    for (;;) {
        const uint32_t len = CTextWrap::UnitLength(s + q, n - q);
        if (q + len >= n)
            return start + q;
        q += len;
    }
}

TextCharClass CTextCaretModel::classAt(uint32_t offset)
{
    const uint32_t len = unitLength(offset);
    if (len == 0)
        return TextCharClass::Separator;
    const uint8_t* s = m_doc.GetSpanPointer(offset, len);
    return len == 2 ? CharClassOf(s[0], s[1]) : CharClassOf(s[0]);
}

// ---- The caret ----------------------------------------------------------------

void CTextCaretModel::setCaret(Position position, bool recreate, bool keepScroll)
{
    if (!keepScroll)
        scrollIntoView(position);
    m_nCaretCol = position.column;
    m_nCaretLine = position.line;
    m_nCaretOffset = caretOffset();
    if (recreate)
        m_host.recreateCaret();
    m_host.placeCaret(m_nCaretCol, m_nCaretLine);
    updateStatus();
}

void CTextCaretModel::updateStatus()
{
    uint64_t line = m_nCaretLine;
    uint64_t column = m_nCaretCol;
    if (g_cabinet.bLogicalLineNumbers) {
        // Lines and columns counted from the start of the logical line, tabs included.
        line = m_doc.Rows().LineOfRow(std::min(m_nCaretLine, lineCount()));
        const uint32_t start = m_lines->lineStart(m_doc.Rows().RowOfLine(static_cast<uint32_t>(line)));
        const uint32_t offset = caretOffset();
        const CTextLineModel::Hit hit = m_lines->offsetAt(m_nCaretCol, m_nCaretLine, true);
        const uint32_t n = offset > start ? offset - start : 0;
        const uint8_t* s = n ? m_doc.GetSpanPointer(start, n) : nullptr;
        column = 0;
        for (uint32_t q = 0; q < n;) {
            column += m_lines->wrap().UnitWidth(s + q, n - q, static_cast<uint32_t>(column % m_lines->wrap().TabWidth()));
            q += CTextWrap::UnitLength(s + q, n - q);
        }
        if (offset == hit.offset)
            column += hit.surplus; // empty columns past the end in free-cursor mode
    }
    char lineText[16], columnText[24], high[24] = " ";
    std::snprintf(lineText, sizeof lineText, "%.5llu", static_cast<unsigned long long>(line + 1));
    std::snprintf(columnText, sizeof columnText, "%.3llu", static_cast<unsigned long long>(column + 1));
    const size_t digits = std::strlen(columnText);
    if (digits > 3) {
        std::memcpy(high, columnText, digits - 3);
        high[digits - 3] = '\0';
        std::memmove(columnText, columnText + digits - 3, 4);
    }
    m_host.setStatusTexts(lineText, columnText, high);
}

void CTextCaretModel::gotoPosition(uint32_t line, uint32_t column)
{
    cancelSelection();
    const Position position = snap(column, line, g_cabinet.bFreeCursor != 0);
    m_nDesiredCol = position.column;
    setCaret(position);
}

void CTextCaretModel::restoreView(uint32_t topLine, uint32_t column, uint32_t line)
{
    if (topLine >= lineCount())
        return;
    cancelSelection();
    m_host.scrollTo(clampTop(topLine), m_host.paneView().scrollColumn);
    const Position position = snap(column, line, g_cabinet.bFreeCursor != 0);
    m_nDesiredCol = position.column;
    setCaret(position, false, true);
}

void CTextCaretModel::textLoaded()
{
    m_lines.emplace(m_doc, TextLayoutOf(m_doc));
    (void)m_lines->rebuild();
    m_bSelection = false;
    m_bDragging = false;
    m_host.showCaret(true);
    m_nDesiredCol = 0;
    m_host.scrollTo(0, 0);
    setCaret({0, 0}, true, true);
}

void CTextCaretModel::relayout(bool rewrap)
{
    const uint32_t offset = std::min(caretOffset(), m_doc.DataSize());
    m_lines.emplace(m_doc, TextLayoutOf(m_doc));
    if (rewrap)
        (void)m_lines->rebuild();
    const Position position = m_lines->offsetToPosition(offset);
    m_nDesiredCol = position.column;
    setCaret(position, true, true);
}

void CTextCaretModel::appendOutput(int hint, const void* object)
{
    CTextEditor editor(m_doc, *m_lines, this);
    const std::optional<CTextEditor::Change> change = editor.appendOutput(hint, object);
    if (change && change->caret) {
        const Position position = m_lines->offsetToPosition(*change->caret);
        m_nDesiredCol = position.column;
        setCaret(position);
    }
}

void CTextCaretModel::followChange(const DocChange& change)
{
    const uint64_t end = change.end();
    const auto follow = [&](uint32_t offset) { return change.follow(offset); };
    // A box is columns on lines, which any change may shift under it.
    if (m_bSelection && (m_bBoxMode || (m_nSelEnd >= change.position && m_nSelStart <= end))) {
        setSelectionShown(false);
        m_bBoxMode = false;
    } else if (m_bSelection) {
        m_nSelStart = follow(m_nSelStart);
        m_nSelEnd = follow(m_nSelEnd);
        m_nAnchor = follow(m_nAnchor);
        m_nSelCurrent = follow(m_nSelCurrent);
    }
    m_bDragging = false;
    const uint32_t offset = std::min(follow(m_nCaretOffset), m_doc.DataSize());
    setCaret(m_lines->offsetToPosition(offset), false, true);
    m_host.invalidateAll();
}

// ---- Navigation ---------------------------------------------------------------

CTextCaretModel::Position CTextCaretModel::verticalMove(int64_t lines, bool freeCursor)
{
    const int64_t target = int64_t{m_nCaretLine} + lines;
    if (target >= int64_t{lineCount()})
        return endOfText();
    return snap(m_nDesiredCol, static_cast<uint32_t>(std::max<int64_t>(target, 0)), freeCursor);
}

CTextCaretModel::Position CTextCaretModel::horizontalMove(int key, bool freeCursor)
{
    const uint32_t offset = caretOffset();
    if (key == qtkey::Key_Right) {
        if (freeCursor) {
            // A column inside a two-column last unit (a CR LF too) snaps back: go on to its end.
            for (uint32_t column = m_nCaretCol + 1; column <= maxColumns(); ++column) {
                const Position next = snap(column, m_nCaretLine, true);
                if (next.column > m_nCaretCol || next.line != m_nCaretLine)
                    return next;
            }
            return m_nCaretLine < lastLine() ? Position{0, m_nCaretLine + 1} : caret();
        }
        return offset < m_doc.DataSize() ? m_lines->offsetToPosition(offset + unitLength(offset)) : caret();
    }
    if (freeCursor) {
        if (m_nCaretCol == 0)
            return m_nCaretLine > 0 ? snap(maxColumns(), m_nCaretLine - 1, true) : caret();
        // In the empty columns past the end the caret steps by columns.
        if (m_lines->offsetAt(m_nCaretCol, m_nCaretLine, true).surplus > 0)
            return snap(m_nCaretCol - 1, m_nCaretLine, true);
    }
    return offset > 0 ? m_lines->offsetToPosition(unitBefore(offset)) : caret();
}

uint32_t CTextCaretModel::nextWord(uint32_t offset)
{
    const uint32_t size = m_doc.DataSize();
    if (offset >= size)
        return offset;
    const TextCharClass first = classAt(offset);
    offset += unitLength(offset);
    while (offset < size && classAt(offset) == first)
        offset += unitLength(offset);
    if (first != TextCharClass::Separator) {
        while (offset < size && classAt(offset) == TextCharClass::Separator)
            offset += unitLength(offset);
    }
    return offset;
}

uint32_t CTextCaretModel::previousWord(uint32_t offset)
{
    // The mirror of nextWord: over the separators first, then over the word.
    while (offset > 0 && classAt(unitBefore(offset)) == TextCharClass::Separator)
        offset = unitBefore(offset);
    if (offset == 0)
        return 0;
    const TextCharClass word = classAt(unitBefore(offset));
    while (offset > 0 && classAt(unitBefore(offset)) == word)
        offset = unitBefore(offset);
    return offset;
}

CTextCaretModel::Position CTextCaretModel::moveCaret(int key, bool ctrl, bool freeCursor)
{
    const int rows = std::max(0, m_host.paneView().visibleRows);
    switch (key) {
    case qtkey::Key_PageUp:
        scrollBy(-rows);
        return verticalMove(-rows, freeCursor);
    case qtkey::Key_PageDown:
        scrollBy(rows);
        return snap(m_nDesiredCol, std::min<uint32_t>(m_nCaretLine + rows, lastLine()), freeCursor);
    case qtkey::Key_End:
        return ctrl ? endOfText() : snap(maxColumns(), m_nCaretLine, false);
    case qtkey::Key_Home:
        return ctrl ? Position{0, 0} : Position{0, std::min(m_nCaretLine, lastLine())};
    case qtkey::Key_Left:
    case qtkey::Key_Right:
        if (ctrl) {
            const uint32_t offset = caretOffset();
            return m_lines->offsetToPosition(key == qtkey::Key_Left ? previousWord(offset) : nextWord(offset));
        }
        return horizontalMove(key, freeCursor);
    case qtkey::Key_Up:
    case qtkey::Key_Down: {
        const int direction = key == qtkey::Key_Up ? -1 : 1;
        const TextPaneView v = m_host.paneView();
        if (ctrl) {
            // The view moves a line; the caret stays inside it.
            scrollBy(direction);
            const int64_t top = m_host.paneView().topLine;
            const int64_t line = std::clamp<int64_t>(m_nCaretLine, top, top + std::max(rows - 1, 0));
            return line == m_nCaretLine ? caret() : snap(m_nDesiredCol, static_cast<uint32_t>(line), freeCursor);
        }
        const int64_t target = int64_t{m_nCaretLine} + direction;
        const bool outside = target < int64_t{v.topLine} || target >= int64_t{v.topLine} + rows;
        const int64_t step = outside ? std::max(1, g_settings.ScrollLineCount) : 1;
        return verticalMove(direction * step, freeCursor);
    }
    default:
        return caret();
    }
}

void CTextCaretModel::keyPress(int key, bool shift, bool ctrl, bool typesText)
{
    if (m_nAutoScrollKey != 0) {
        stopAutoScroll(); // the key does nothing else, and types nothing
        return;
    }
    if (ctrl && shift && (key == qtkey::Key_Up || key == qtkey::Key_Down)) {
        startAutoScroll(key);
        return;
    }
    switch (key) {
    case qtkey::Key_PageUp: case qtkey::Key_PageDown: case qtkey::Key_End: case qtkey::Key_Home:
    case qtkey::Key_Left: case qtkey::Key_Right: case qtkey::Key_Up: case qtkey::Key_Down: {
        const uint32_t old = caretOffset();
        // While Shift is held the caret keeps to the text.
        const Position target = moveCaret(key, ctrl, !shift && g_cabinet.bFreeCursor != 0);
        if (!shift)
            cancelSelection();
        if (key != qtkey::Key_Up && key != qtkey::Key_Down && key != qtkey::Key_PageUp
            && key != qtkey::Key_PageDown)
            m_nDesiredCol = target.column;
        setCaret(target);
        if (shift)
            extendSelection(old, caretOffset());
        return;
    }
    case qtkey::Key_Escape:
        cancelSelection();
        return;
    case qtkey::Key_Insert:
        if (!shift) {
            if (ctrl) {
                copy();
            } else {
                g_bOverwrite = !g_bOverwrite;
                m_host.recreateCaret();
            }
            return;
        }
        break;
    case qtkey::Key_Backspace:
        if (!m_bSelection && !ctrl) {
            keyPress(qtkey::Key_Left, false, false, false);
            return;
        }
        break;
    case qtkey::Key_Delete:
        if (shift) {
            copy(); // cutting copies: the text cannot change
            return;
        }
        break;
    case qtkey::Key_C:
    case qtkey::Key_X:
        if (ctrl) {
            copy();
            return;
        }
        break;
    default:
        if (ctrl && !typesText)
            return;
        break;
    }
    if (typesText || key == qtkey::Key_Backspace || key == qtkey::Key_Delete || key == qtkey::Key_Insert
        || (ctrl && (key == qtkey::Key_V || key == qtkey::Key_Z)))
        BeepRefusal(); // the text pane does not edit
}

// ---- Auto-scroll --------------------------------------------------------------

void CTextCaretModel::startAutoScroll(int key)
{
    cancelSelection();
    const TextPaneView v = m_host.paneView();
    // The caret starts from the edge of the view it runs towards.
    const uint32_t line = key == qtkey::Key_Up ? v.topLine : v.topLine + std::max(v.visibleRows - 1, 0);
    setCaret(snap(m_nDesiredCol, line, g_cabinet.bFreeCursor != 0));
    m_nAutoScrollKey = key;
    m_host.startAutoScrollTimer(std::max(g_settings.AutoScrollInt, 1) * 100);
}

void CTextCaretModel::stopAutoScroll()
{
    if (m_nAutoScrollKey == 0)
        return;
    m_nAutoScrollKey = 0;
    m_host.stopAutoScrollTimer();
}

bool CTextCaretModel::marksBetween(uint32_t fromLine, uint32_t toLine)
{
    // A mark names its line by the CR before it: the line starts 2 bytes on.
    const uint32_t from = m_lines->lineStart(std::min(fromLine, toLine));
    const uint32_t to = m_lines->lineStart(std::max(fromLine, toLine));
    for (const uint32_t mark : m_doc.TextMarks()) {
        const uint32_t start = mark == CLumoDoc::kFirstLineMark ? 0 : mark + 2;
        // Moving down the line left is passed, moving up the line left is not.
        if (fromLine < toLine ? start > from && start <= to : start >= from && start < to)
            return true;
    }
    return false;
}

void CTextCaretModel::autoScrollTick()
{
    for (int i = 0; i < std::max(g_settings.AutoScrollCount, 1) && m_nAutoScrollKey != 0; ++i) {
        const Position old = caret();
        const Position target = moveCaret(m_nAutoScrollKey, false, g_cabinet.bFreeCursor != 0);
        setCaret(target);
        if (target.line == old.line) {
            stopAutoScroll(); // the text's end (or start) is reached
        } else if (g_settings.AutoScrollBreak && marksBetween(old.line, target.line)) {
            stopAutoScroll();
            BeepRefusal();
        }
    }
}

// ---- Selection ----------------------------------------------------------------

void CTextCaretModel::invalidateOffsets(uint32_t first, uint32_t last)
{
    m_host.invalidateLines(m_lines->lineOf(first), m_lines->lineOf(last));
}

void CTextCaretModel::setSelectionShown(bool shown)
{
    if (m_bSelection == shown)
        return;
    m_bSelection = shown;
    m_host.showCaret(!shown);
}

std::optional<CTextBox> CTextCaretModel::box() const
{
    if (!m_bBoxMode || !m_bSelection)
        return std::nullopt;
    return BoxBetween(m_nAnchor, m_nSelCurrent, maxColumns());
}

void CTextCaretModel::invalidateBox()
{
    const CTextBox shown = BoxBetween(m_nAnchor, m_nSelCurrent, maxColumns());
    m_host.invalidateLines(shown.top, shown.bottom);
}

void CTextCaretModel::cancelSelection()
{
    if (m_bSelection) {
        if (m_bBoxMode)
            invalidateBox();
        else
            invalidateOffsets(m_nSelStart, m_nSelEnd);
        setSelectionShown(false);
    }
    m_bBoxMode = false;
    m_nAnchor = m_nSelCurrent = caretOffset();
}

void CTextCaretModel::moveBoxEnd(uint32_t end)
{
    // The lines of the old box and of the new one are drawn again.
    invalidateBox();
    m_nSelCurrent = end;
    invalidateBox();
    setSelectionShown(!BoxBetween(m_nAnchor, m_nSelCurrent, maxColumns()).empty());
}

void CTextCaretModel::moveSelectionEnd(uint32_t end)
{
    const uint32_t size = m_doc.DataSize();
    end = std::min(end, size);
    m_nAnchor = std::min(m_nAnchor, size);
    if (end != m_nSelCurrent)
        invalidateOffsets(std::min(end, m_nSelCurrent), std::max(end, m_nSelCurrent));
    m_nSelCurrent = end;
    m_nSelStart = std::min(m_nAnchor, end);
    m_nSelEnd = std::max(m_nAnchor, end);
    setSelectionShown(m_nSelStart != m_nSelEnd);
}

void CTextCaretModel::extendSelection(uint32_t from, uint32_t to)
{
    if (m_bBoxMode)
        cancelSelection(); // a stream selection starts afresh
    if (!m_bSelection)
        m_nAnchor = m_nSelCurrent = std::min(from, m_doc.DataSize());
    moveSelectionEnd(to);
}

bool CTextCaretModel::findText(std::string_view text, bool down)
{
    const uint32_t size = m_doc.DataSize();
    TextSearchRequest request;
    request.findText = text;
    request.down = down;
    request.matchCase = g_bFindMatchCase != 0;
    request.regular = g_bFindRegular != 0;
    request.distinguishWidth = g_bFindDistinguishWidth != 0;
    request.caret = caretOffset();
    request.selection = m_bSelection && !m_bBoxMode;
    request.selStart = m_nSelStart;
    request.selEnd = m_nSelEnd;
    const std::optional<TextMatch> match = size ? searchText(m_doc.GetBlockPointer(), size, request) : std::nullopt;
    if (!match) {
        BeepRefusal();
        return false;
    }
    showFound(match->position, match->length);
    return true;
}

void CTextCaretModel::showFound(uint32_t position, uint32_t length)
{
    cancelSelection();
    const uint32_t line = m_lines->lineOf(position);
    const TextPaneView v = m_host.paneView();
    if (line < v.topLine || int64_t{line} >= int64_t{v.topLine} + std::max(v.visibleRows, 1))
        m_host.scrollTo(clampTop(int64_t{line} - (v.visibleRows / 2 - 1)), v.scrollColumn);
    setCaret({m_lines->columnOf(position), line});
    extendSelection(position, position + length);
}

void CTextCaretModel::selectAll()
{
    if (m_doc.DataSize() == 0)
        return;
    cancelSelection();
    // From the first unit to the last one, whose end is the text's end.
    m_nAnchor = 0;
    m_nSelStart = 0;
    m_nSelEnd = m_nSelCurrent = m_doc.DataSize();
    setSelectionShown(true);
    m_host.invalidateAll();
}

std::optional<std::string> CTextCaretModel::selectionText()
{
    const std::optional<CTextBox> shown = box();
    const size_t capacity = shown ? BoxTextCapacity(*shown, maxColumns()) : size_t{m_nSelEnd} - m_nSelStart;
    std::unique_ptr<uint8_t[]> text(new (std::nothrow) uint8_t[capacity + 1]);
    if (!text) {
        ShowOutOfMemory();
        return std::nullopt;
    }
    // Text ends at a zero byte: the zeros are left out, as the hex pane does.
    const uint8_t* bytes = m_doc.GetSpanPointer(m_nSelStart, m_nSelEnd - m_nSelStart);
    size_t n = m_nSelEnd - m_nSelStart;
    if (shown) {
        n = BoxText(*m_lines, m_doc, *shown, text.get());
        bytes = text.get();
    }
    const size_t kept = CBinaryClipboard::StripZeros(bytes, static_cast<uint32_t>(n), text.get());
    return std::string(reinterpret_cast<const char*>(text.get()), kept);
}

void CTextCaretModel::copy()
{
    if (!m_bSelection)
        return;
    if (const std::optional<std::string> text = selectionText())
        m_host.putClipboardText(reinterpret_cast<const uint8_t*>(text->data()), text->size());
}

void CTextCaretModel::appendCopy()
{
    if (!m_bSelection) {
        BeepRefusal();
        return;
    }
    std::string clipboard;
    if (!m_host.clipboardText(clipboard))
        clipboard.clear();
    if (const std::optional<std::string> text = selectionText()) {
        clipboard += *text;
        m_host.putClipboardText(reinterpret_cast<const uint8_t*>(clipboard.data()), clipboard.size());
    }
}

// ---- Line marks -----------------------------------------------------------------

uint32_t CTextCaretModel::logicalLineStart(uint32_t line)
{
    const CRowTable& rows = m_doc.Rows();
    if (line >= rows.Count())
        return m_lines->lineStart(line); // the empty line after a final CR LF
    while (line > 0 && !rows.BeginsLine(line))
        --line;
    return m_lines->lineStart(line);
}

namespace {

uint32_t MarkOfLineStart(uint32_t start)
{
    return start == 0 ? CLumoDoc::kFirstLineMark : start - 2;
}

uint32_t LineStartOfMark(uint32_t mark)
{
    return mark == CLumoDoc::kFirstLineMark ? 0 : mark + 2;
}

} // namespace

void CTextCaretModel::toggleLineMark()
{
    (void)m_doc.ToggleTextMark(MarkOfLineStart(logicalLineStart(m_nCaretLine)));
}

void CTextCaretModel::clearLineMarks()
{
    m_doc.ClearTextMarks();
}

void CTextCaretModel::nextLineMark()
{
    gotoLineMark(true);
}

void CTextCaretModel::previousLineMark()
{
    gotoLineMark(false);
}

void CTextCaretModel::gotoLineMark(bool forward)
{
    std::vector<uint32_t> starts;
    for (const uint32_t mark : m_doc.TextMarks()) {
        if (LineStartOfMark(mark) <= m_doc.DataSize())
            starts.push_back(LineStartOfMark(mark));
    }
    if (starts.empty()) {
        BeepRefusal();
        return;
    }
    std::sort(starts.begin(), starts.end());
    const uint32_t here = logicalLineStart(m_nCaretLine);
    uint32_t target = forward ? starts.front() : starts.back();
    if (forward) {
        const auto it = std::upper_bound(starts.begin(), starts.end(), here);
        if (it != starts.end())
            target = *it;
    } else {
        const auto it = std::lower_bound(starts.begin(), starts.end(), here);
        if (it != starts.begin())
            target = *(it - 1);
    }
    cancelSelection();
    const Position position = m_lines->offsetToPosition(target);
    m_nDesiredCol = position.column;
    setCaret(position);
}

// ---- Mouse --------------------------------------------------------------------

CTextCaretModel::Position CTextCaretModel::positionAt(int x, int y) const
{
    const TextPaneView v = m_host.paneView();
    const int64_t column = (int64_t{v.scrollColumn} * v.charWidth + x - v.leftMargin) / v.charWidth;
    // A point above the first line counts as that line, as the division truncates toward zero.
    const int64_t line = (int64_t{y} - v.topMargin) / v.lineHeight + v.topLine;
    return {static_cast<uint32_t>(std::clamp<int64_t>(column, 0, maxColumns())),
            static_cast<uint32_t>(std::clamp<int64_t>(line, 0, lineCount()))};
}

void CTextCaretModel::mouseDown(int x, int y, bool shift, bool ctrl)
{
    stopAutoScroll();
    const uint32_t old = caretOffset();
    const Position at = positionAt(x, y);
    const Position position = snap(at.column, at.line, !shift && g_cabinet.bFreeCursor != 0);
    m_nDesiredCol = position.column;
    setCaret(position);
    if (shift && !m_bBoxMode) {
        extendSelection(old, caretOffset());
    } else {
        cancelSelection();
        if (ctrl) {
            // The box's corner is the point itself, also past a line's end.
            m_bBoxMode = true;
            m_nAnchor = m_nSelCurrent = BoxCoordinate(at.column, at.line, maxColumns());
        } else {
            m_nAnchor = m_nSelCurrent = caretOffset();
        }
    }
    m_bDragging = true;
}

void CTextCaretModel::mouseMove(int x, int y)
{
    if (!m_bDragging)
        return;
    const Position at = positionAt(x, y);
    if (m_bBoxMode) {
        // The caret stays; the view follows the box's corner.
        scrollIntoView(at);
        moveBoxEnd(BoxCoordinate(at.column, at.line, maxColumns()));
        return;
    }
    const Position position = snap(at.column, at.line, false);
    m_nDesiredCol = position.column;
    setCaret(position);
    moveSelectionEnd(caretOffset());
}

std::optional<CTagTarget> CTextCaretModel::tagOfLine(uint32_t line)
{
    line = std::min(line, lastLine());
    const CRowTable& rows = m_doc.Rows();
    while (line > 0 && line < rows.Count() && !rows.BeginsLine(line))
        --line;
    const uint32_t start = m_lines->lineStart(line);
    const uint32_t n = m_lines->logicalLineEnd(start) - start;
    // A line longer than any tag is not read at all.
    if (n == 0 || n > kMaxTagLine)
        return std::nullopt;
    return ParseTagLine(m_doc.GetSpanPointer(start, n), n);
}

void CTextCaretModel::doubleClick(int x, int y, bool shift)
{
    const Position at = positionAt(x, y);
    const uint32_t line = std::min(at.line, lastLine());
    if (const std::optional<CTagTarget> tag = tagOfLine(line)) {
        m_host.openTag(*tag);
        return;
    }
    uint32_t start = m_lines->offsetAt(at.column, line, false).offset;
    // offsetAt rounds a column inside a unit up to its end: the pointer is on the unit before.
    if (start > m_lines->lineStart(line) && m_lines->columnOf(start) > at.column)
        start = unitBefore(start);
    if (start >= m_doc.DataSize())
        return;
    const TextCharClass word = classAt(start);
    uint32_t end = start + unitLength(start);
    while (end < m_doc.DataSize() && classAt(end) == word)
        end += unitLength(end);
    while (start > 0 && classAt(unitBefore(start)) == word)
        start = unitBefore(start);
    const uint32_t old = caretOffset();
    // With Shift the selection reaches over the word to its far side.
    const uint32_t caretAt = shift && m_bSelection && start < m_nAnchor ? start : end;
    const Position position = m_lines->offsetToPosition(caretAt);
    m_nDesiredCol = position.column;
    setCaret(position);
    if (shift) {
        extendSelection(old, caretAt);
    } else {
        cancelSelection();
        m_nAnchor = m_nSelCurrent = start;
        moveSelectionEnd(end);
    }
}
