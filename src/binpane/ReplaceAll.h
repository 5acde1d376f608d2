// Replace all of the hex pane, away from any window: every match of the find
// text from offset 0 on, each search going on after the bytes just inserted,
// replaced one after the other with their undo records, then the count shown
// in a message. A scan asks checkAbort before its first position and every
// 2,001 positions; true ends the replacing, and what was replaced so far stays.
#pragma once

#include "binpane/ByteSearch.h"
#include "binpane/CReplaceTarget.h"

#include <cstdint>
#include <span>
#include <string_view>

struct ReplaceAllRequest
{
    std::string_view findText;    // code page 932
    std::string_view replaceText; // empty: every match is deleted
    PatternSource source = PatternSource::CharPart;
    bool matchCase = true;        // hex digits are always compared with case
    bool enRexp = false;
};

// The number of replacements. Beeps, replacing nothing, when the document is
// read-only, the find text gives no pattern or no match, or the replace text
// does not convert; otherwise shows "%1 回置換しました。".
uint32_t replaceAll(CReplaceTarget& target, const ReplaceAllRequest& request,
                    const AbortCheck& checkAbort);

// The question a click on the dialog during a replace-all leads to: true
// (Yes) stops the replacing.
bool askStopReplaceAll();

// The bytes of replaceUnjournaled: block holds size data bytes and has room
// for the result; length bytes at each of positions (ascending, not
// overlapping) become the n bytes given. Each byte moves once. Answers the
// new size.
uint32_t replaceRunsInPlace(uint8_t* block, uint32_t size, std::span<const uint32_t> positions,
                            uint32_t length, const uint8_t* bytes, uint32_t n);
