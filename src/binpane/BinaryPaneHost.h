// What the hex pane's model needs from the window that shows it. The widget
// implements this; tests and benchmarks implement it without a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Pixel geometry that turns a mouse point into a cell.
struct HitGeometry
{
    int charWidth = 1;
    int lineHeight = 1;
    int leftMargin = 0;
    int firstLineY = 0;   // top of the first data line
    uint32_t topLine = 0; // first dump line shown
    int scrollColumn = 0; // first cell column shown
};

// What the window shows now, in lines and cells.
struct PaneView
{
    HitGeometry hit;
    int visibleLines = 0;
    int visibleColumns = 0;
    int horizontalMaximum = 0;   // 0: no horizontal scrolling
    int32_t verticalMaximum = 0; // of an active vertical bar
    bool verticalActive = false;
};

class CBinaryPaneHost
{
public:
    virtual ~CBinaryPaneHost() = default;

    virtual PaneView paneView() const = 0;

    // Repaint dump lines first .. last (a line past the end is blank, line 0
    // of an empty document shows its address), or everything.
    virtual void invalidateLines(uint32_t first, uint32_t last) = 0;
    virtual void invalidateAll() = 0;
    // The data size changed: recompute the scroll ranges.
    virtual void dataSizeChanged() = 0;
    // Scroll so these are the first line and column shown (within the bars' ranges).
    virtual void scrollTo(uint32_t topLine, int scrollColumn) = 0;

    // The caret: its shape follows g_bOverwrite; its point is a cell (line,
    // column), where the input method's window follows it too; it is hidden
    // exactly while a selection is shown.
    virtual void recreateCaret() = 0;
    virtual void placeCaret(uint32_t line, int column) = 0;
    virtual void showCaret(bool show) = 0;

    // The three status panes: "0x%.8X" and "%.8d" of the caret offset, and
    // "%.3d" of the byte there (" " at the end of the data).
    virtual void setStatusTexts(const char* hexOffset, const char* decimalOffset,
                                const char* byteValue) = 0;

    // The system clipboard's text as code page 932 bytes. The widget converts
    // with cp932::ToUtf8 and cp932::FromUtf8 exactly: the private block of
    // copied bytes is recognised by that round trip (BinaryClipboard).
    virtual void putClipboardText(const uint8_t* cp932, size_t n) = 0;
    // False when the clipboard holds no text.
    virtual bool clipboardText(std::string& cp932) = 0;
};
