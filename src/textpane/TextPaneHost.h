// What the text pane's caret model needs from the window that shows it. The
// widget implements this; tests implement it without a window.
#pragma once

#include "textpane/TagLine.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What the window shows now, and the pixel grid a mouse point is read on.
struct TextPaneView
{
    int charWidth = 1;
    int lineHeight = 1;
    int leftMargin = 0;
    int topMargin = 0;
    uint32_t topLine = 0;
    uint32_t scrollColumn = 0;
    int visibleRows = 0;    // whole lines below the top margin
    int visibleColumns = 0; // whole columns right of the left margin
};

class CTextPaneHost
{
public:
    virtual ~CTextPaneHost() = default;

    virtual TextPaneView paneView() const = 0;
    // Scroll so these are the first line and column shown (the model keeps
    // them inside the scroll ranges).
    virtual void scrollTo(uint32_t topLine, uint32_t scrollColumn) = 0;
    // Repaint display lines first .. last, or everything.
    virtual void invalidateLines(uint32_t first, uint32_t last) = 0;
    virtual void invalidateAll() = 0;

    // The caret: its shape follows g_bOverwrite; it stands at a (column,
    // line) cell; it is hidden exactly while a selection is shown.
    virtual void recreateCaret() = 0;
    virtual void placeCaret(uint32_t column, uint32_t line) = 0;
    virtual void showCaret(bool show) = 0;

    // The line pane, the column pane (its last 3 digits) and the pane of the
    // column's further digits (" " when there are none).
    virtual void setStatusTexts(const char* line, const char* column, const char* columnHigh) = 0;
    // Code page 932 bytes for the system clipboard, converted for other programs.
    virtual void putClipboardText(const uint8_t* cp932, size_t n) = 0;
    // The clipboard's text as code page 932 bytes; false when it holds none.
    virtual bool clipboardText(std::string& cp932) = 0;
    // Timer 3: auto-scroll ticks every ms milliseconds until stopped.
    virtual void startAutoScrollTimer(int ms) = 0;
    virtual void stopAutoScrollTimer() = 0;
    // A double-click on a tag line: the named file is opened at its line.
    virtual void openTag(const CTagTarget& tag) = 0;
};
