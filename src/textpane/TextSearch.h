// The text pane's find next and find previous without a window: from the
// caret or the selection, one search with wrap-around over the document's
// bytes (one contiguous block). A plain unit-by-unit search runs when the
// text is no pattern and widths are distinguished; otherwise the pattern
// matcher does the matching, its wrap-around scan reaching 80 bytes past the
// start so that a match across the starting point is found.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct TextSearchRequest
{
    std::string_view findText; // 1..80 bytes of code page 932; anything else finds nothing
    bool down = true;
    bool matchCase = false;
    bool regular = false;          // g_bFindRegular
    bool distinguishWidth = false; // g_bFindDistinguishWidth
    uint32_t caret = 0;            // the caret's offset
    bool caretPastLineEnd = false; // the caret stands right of its line's end
    bool selection = false;        // a stream selection [selStart, selEnd) is shown
    uint32_t selStart = 0;
    uint32_t selEnd = 0;
};

struct TextMatch
{
    uint32_t position = 0;
    uint32_t length = 0;
    bool operator==(const TextMatch&) const = default;
};

// The match to select, or nothing (the caller beeps and leaves the caret and
// selection alone).
std::optional<TextMatch> searchText(const uint8_t* text, uint32_t size, const TextSearchRequest& request);

// The last offset the selection of a match covers: the match's last byte,
// or the byte before it when that byte is the trail of a double-byte
// character, so that the selection ends on the start of the match's last unit.
uint32_t matchSelectionLast(const uint8_t* text, uint32_t size, const TextMatch& match);
