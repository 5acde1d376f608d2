// The hex pane's caret and selection without a window: where the caret
// stands and in which part, the selected byte range, navigation keys, mouse
// hits and drags, and bringing lines into view. Everything shown goes
// through the host; the dump geometry comes from the settings at each use.
#pragma once

#include "binpane/BinaryPaneHost.h"
#include "binpane/DumpGeometry.h"

#include <cstdint>
#include <optional>

class CLumoDoc;

struct HitResult
{
    uint32_t offset = 0; // line * B + index; may lie beyond the data
    int part = 2;        // 2 hex digits, 3 characters
    bool beyondEnd = false;
};

class CBinaryCaretModel
{
public:
    static constexpr int kHexPart = 2;
    static constexpr int kCharPart = 3;

    CBinaryCaretModel(CLumoDoc& doc, CBinaryPaneHost& host);
    virtual ~CBinaryCaretModel() = default;
    CBinaryCaretModel(const CBinaryCaretModel&) = delete;
    CBinaryCaretModel& operator=(const CBinaryCaretModel&) = delete;

    CLumoDoc& document() const { return m_doc; }

    // The byte (and part) under a point of the pane.
    static HitResult hitTest(int x, int y, const HitGeometry& g);

    // The one way the caret moves: clamps to the data size, scrolls it into
    // view unless noScroll, places it and writes the status texts.
    void setCaretOffset(uint32_t offset, int secondDigit = 0, bool recreateCaret = false,
                        bool noScroll = false);
    // Where a navigation key takes the caret from offset (Page keys scroll first).
    uint32_t moveTarget(uint32_t offset, int key, bool ctrl);
    // Starts a selection at boundary from when none is shown, then moves its end to `to`.
    void extendSelection(uint32_t from, uint32_t to);
    void moveSelectionEnd(uint32_t end);
    void clearSelection();
    // Brings a line into view (mode 0 top, 1 middle, else bottom) and puts the
    // caret on offset, or on the line's first byte.
    void showLine(uint32_t line, int mode, bool force, std::optional<uint32_t> offset = std::nullopt);
    void selectAll();
    // A remembered view: topLine shown first, the caret on offset (kept
    // within the data). Nothing moves when topLine is past the last line.
    void restoreView(uint32_t topLine, uint32_t offset);

    // A navigation key (arrows, Home, End, Page Up/Down); false for any other key.
    bool navigationKey(int key, bool shift, bool ctrl);
    // Tab: the caret changes between the hex digits and the character cell.
    void switchPart();

    void mouseDown(int x, int y, bool shift);
    // While tracking: the caret and the selection end follow (also on the auto-scroll tick).
    void mouseMove(int x, int y);
    void mouseUp() { m_bTracking = 0; }

    // Geometry or content changed: the selection goes, the caret is made again.
    void relayout();
    void focusIn();

    uint32_t lineCount() const;

    // Caret and selection; the painter reads them.
    uint32_t m_nCaret = 0;
    int32_t m_bSecondDigit = 0;
    int32_t m_nFocusPart = kHexPart;
    int32_t m_nPreferredColumn = 0;
    int32_t m_bSelection = 0;
    uint32_t m_nSelStart = 0;
    uint32_t m_nSelEnd = 0;
    uint32_t m_nAnchor = 0;
    uint32_t m_nDragEnd = 0;
    uint32_t m_nPreviousEnd = 0;
    int32_t m_bTracking = 0;

protected:
    static CDumpGeometry geometry();
    uint32_t bytesPerLine() const { return static_cast<uint32_t>(geometry().B); }
    uint32_t dataSize() const;
    // Repaints the lines holding offsets first .. last.
    void invalidateOffsets(uint32_t first, uint32_t last);
    void invalidateCaretLine();
    void setSelectionShown(bool shown);
    // After the data shrank: the selection stays inside the data.
    void keepSelectionInData();
    // Puts the caret on offset (within the data) without scrolling or status
    // texts: what a view does that only follows another view's edit. Reading
    // the byte for the status would pull the edit window away from the
    // typing view, moving the whole tail at every keystroke.
    void placeCaret(uint32_t offset, int secondDigit);

    CLumoDoc& m_doc;
    CBinaryPaneHost& m_host;

private:
    static bool caretMarksOn();
    void scrollIntoView(uint32_t offset);
    void scrollPage(int direction);
    uint32_t clampTop(int64_t top, const PaneView& v) const;
    void updateStatus();
};
