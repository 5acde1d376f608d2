// The text pane's caret and stream selection without a window: the caret's
// (column, display line) and the column vertical moves keep, the selected
// units, navigation keys, mouse hits and drags, scrolling into view, the
// status texts and copy. It reads the document through its line model and
// shows everything through the host.
#pragma once

#include "textpane/TextBox.h"
#include "textpane/TextCharClass.h"
#include "textpane/TextLineModel.h"
#include "textpane/TextPaneHost.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

class CLumoDoc;
struct DocChange;

// The wrap options a text view of this document uses now: the document's
// layout values and the cabinet's format options.
CTextLayout TextLayoutOf(const CLumoDoc& doc);

class CTextCaretModel
{
public:
    using Position = CTextLineModel::Position;

    CTextCaretModel(CLumoDoc& doc, CTextPaneHost& host);
    CTextCaretModel(const CTextCaretModel&) = delete;
    CTextCaretModel& operator=(const CTextCaretModel&) = delete;

    CLumoDoc& document() const { return m_doc; }
    CTextLineModel& lines() { return *m_lines; }
    uint32_t maxColumns() const { return m_lines->maxColumns(); }
    uint32_t lineCount() const { return m_lines->lineCount(); }

    // Scroll ranges: the vertical bar's maximum (none when every line and
    // the empty line after them fit) and the horizontal one (0: none).
    std::optional<uint32_t> verticalMaximum() const;
    uint32_t horizontalMaximum() const;

    // Text loaded: the whole table is wrapped, the caret goes to (0, 0).
    void textLoaded();
    // Layout values changed: the table is wrapped again when rewrap is set,
    // and the caret goes back on the offset it stood at.
    void relayout(bool rewrap);
    // Output for the document (hints 48 to 50): appended at the text end by
    // the view that takes it first, once for all; with its caret moving to
    // the new end when the hint asks for it.
    void appendOutput(int hint, const void* object);
    // The bytes changed (hint 129; the rows are rewrapped already): the caret
    // and a selection the change did not touch move with the bytes, a
    // touched selection goes.
    void followChange(const DocChange& change);

    // The one way the caret moves: scrolls it into view unless keepScroll,
    // places it and writes the status texts.
    void setCaret(Position position, bool recreate = false, bool keepScroll = false);
    Position caret() const { return {m_nCaretCol, m_nCaretLine}; }
    // The offset the caret stands at (after the last unit when it stands past a line's end).
    uint32_t caretOffset();
    // The caret on a display line and column, which becomes the desired one.
    void gotoPosition(uint32_t line, uint32_t column);
    // A remembered view: topLine shown first and the caret at (column, line),
    // both kept within the text. Nothing moves when topLine is past the last line.
    void restoreView(uint32_t topLine, uint32_t column, uint32_t line);

    // Where a navigation key takes the caret (Page and Ctrl+Up/Down scroll first).
    Position moveCaret(int key, bool ctrl, bool freeCursor);
    // Any key that reaches the pane: moves, Escape, Insert, copy; the editing keys beep.
    void keyPress(int key, bool shift, bool ctrl, bool typesText);

    // Auto-scroll: the caret runs up or down (key Up or Down) a few lines a tick.
    void startAutoScroll(int key);
    void autoScrollTick();
    void stopAutoScroll();
    bool autoScrolling() const { return m_nAutoScrollKey != 0; }

    bool hasSelection() const { return m_bSelection; }
    // The box selection shown, if the selection is a box.
    std::optional<CTextBox> box() const;
    // The selected bytes [start, end): start and the last unit's end.
    std::pair<uint32_t, uint32_t> selection() const { return {m_nSelStart, m_nSelEnd}; }
    void cancelSelection();
    // Extends the selection from the caret's old offset to offset.
    void extendSelection(uint32_t from, uint32_t to);
    void selectAll();
    // Find next (down) or previous for text (1 to 80 code page 932 bytes),
    // by the search flags of the program: the match is selected and shown,
    // or a beep leaves the caret and selection as they were.
    bool findText(std::string_view text, bool down);
    // Selects length bytes at position, the caret at their start; a line out
    // of view is scrolled to just above the middle of the pane.
    void showFound(uint32_t position, uint32_t length);
    void copy();
    // The selection added to the end of the clipboard's text.
    void appendCopy();

    // Line marks (the document's, kept in its attribute file): set or taken
    // off the caret's logical line, the caret to the next or previous marked
    // line (round the text), or all of them gone.
    void toggleLineMark();
    void nextLineMark();
    void previousLineMark();
    void clearLineMarks();

    // The (column, line) under a point of the pane, and the mouse.
    Position positionAt(int x, int y) const;
    // With Ctrl a box selection begins at the point.
    void mouseDown(int x, int y, bool shift, bool ctrl = false);
    void mouseMove(int x, int y);
    void mouseUp() { m_bDragging = false; }
    // On a tag line the host opens the tag's file; elsewhere the word is selected.
    void doubleClick(int x, int y, bool shift);
    // The tag the logical line holding display line `line` names, if any.
    std::optional<CTagTarget> tagOfLine(uint32_t line);
    bool dragging() const { return m_bDragging; }

    // The class of the unit at offset (the text end is a separator).
    TextCharClass classAt(uint32_t offset);
    // The start of the unit before offset (> 0), found by walking its display line.
    uint32_t unitBefore(uint32_t offset);
    uint32_t unitLength(uint32_t offset);

private:
    CLumoDoc& m_doc;
    CTextPaneHost& m_host;
    std::optional<CTextLineModel> m_lines;

    uint32_t m_nCaretCol = 0;
    uint32_t m_nCaretLine = 0;
    uint32_t m_nCaretOffset = 0; // where the caret stood, for following a change
    uint32_t m_nDesiredCol = 0;
    bool m_bSelection = false;
    bool m_bDragging = false;
    bool m_bBoxMode = false; // anchor and current end are box coordinates
    int m_nAutoScrollKey = 0; // 0: auto-scroll is off
    uint32_t m_nAnchor = 0;
    uint32_t m_nSelCurrent = 0;
    uint32_t m_nSelStart = 0;
    uint32_t m_nSelEnd = 0;

    uint32_t lastLine();
    // The nearest place the caret may stand at.
    Position snap(uint32_t column, uint32_t line, bool freeCursor);
    uint32_t offsetOf(Position position);
    Position endOfText();
    void scrollIntoView(Position position);
    void scrollBy(int64_t lines);
    uint32_t clampTop(int64_t top) const;
    Position verticalMove(int64_t lines, bool freeCursor);
    Position horizontalMove(int key, bool freeCursor);
    uint32_t nextWord(uint32_t offset);
    uint32_t previousWord(uint32_t offset);
    void setSelectionShown(bool shown);
    void moveSelectionEnd(uint32_t end);
    void moveBoxEnd(uint32_t end);
    void invalidateBox();
    bool marksBetween(uint32_t fromLine, uint32_t toLine);
    void invalidateOffsets(uint32_t first, uint32_t last);
    void updateStatus();
    // The start of the logical line that display line `line` belongs to.
    uint32_t logicalLineStart(uint32_t line);
    void gotoLineMark(bool forward);
    // The clipboard bytes of the selection (zeros left out), nothing when out of memory.
    std::optional<std::string> selectionText();
};
