// The text pane's line model: the display lines of a text document (its row
// table, shared by every view of the document) and the conversions between
// byte offsets and (column, display line) positions. The model keeps no copy
// of the text; it reads the document's bytes a line at a time.
#pragma once

#include "textpane/TextWrap.h"

#include <cstdint>
#include <optional>

class CLumoDoc;

class CTextLineModel
{
public:
    CTextLineModel(CLumoDoc& doc, const CTextLayout& layout);

    // A position asked for by column and line: the offset, and how many
    // columns the asked column lies past it (past the end of its line).
    struct Hit
    {
        uint32_t offset = 0;
        uint32_t surplus = 0;
        bool operator==(const Hit&) const = default;
    };
    struct Position
    {
        uint32_t column = 0;
        uint32_t line = 0;
        bool operator==(const Position&) const = default;
    };
    // What a rewrap changed: the pane repaints from the first rewrapped line
    // to changedEnd, and refreshes its scroll ranges when the count changed.
    struct Rewrap
    {
        uint32_t changedEnd = 0;
        bool countChanged = false;
    };

    const CTextWrap& wrap() const { return m_wrap; }
    uint32_t maxColumns() const { return m_wrap.MaxColumns(); }
    uint32_t lineCount() const;

    uint32_t lineStart(uint32_t line);
    uint32_t lineOf(uint32_t offset);
    // The start of the last unit of the display line holding offset (the
    // text length for the text length).
    uint32_t lineEndOf(uint32_t offset);
    uint32_t columnOf(uint32_t offset, uint32_t extraColumns = 0);
    // The columns of the unit at offset; 0 at the text end.
    uint32_t unitWidthAt(uint32_t offset);
    Hit offsetAt(uint32_t column, uint32_t line, bool freeCursor);
    Position offsetToPosition(uint32_t offset, uint32_t extraColumns = 0);
    // The start of the display line after the one starting at start; none
    // when the text ends on it.
    std::optional<uint32_t> nextLineStart(uint32_t start);
    // The first CR at or after offset, or the text length.
    uint32_t logicalLineEnd(uint32_t offset);

    // After an edit changed the bytes by delta at position (positive: an
    // insertion), rewraps from display line fromLine, which starts at
    // fromStart, until the wrap meets the old lines again, and marks the
    // document modified.
    Rewrap rewrapFrom(uint32_t position, int64_t delta, uint32_t fromStart, uint32_t fromLine);
    // Wraps the whole text (after a load or a change of layout); the
    // document's modified flag stays as it is.
    Rewrap rebuild();

private:
    CLumoDoc& m_doc;
    CTextWrap m_wrap;

    bool endsWithCr();
    // The last row whose start is at most offset, in a table of a text of textLength bytes.
    uint32_t rowAt(uint32_t offset, uint32_t textLength) const;
    uint32_t rowEnd(uint32_t line) const;
    uint32_t lastUnit(uint32_t start, uint32_t end);
    Rewrap rewrap(uint32_t position, int64_t delta, uint32_t fromStart, uint32_t fromLine);
    std::optional<uint32_t> resyncRow(uint32_t at, int64_t delta) const;
};
