// The colour step of the text pane's layout: one colour per byte of a range,
// 0 for the default, an RGB text colour, or a background colour with
// CTextColours::kBackgroundBit set. Later rules overwrite earlier ones: user
// keywords, C keywords, C++ keywords, marked strings, then comments (which
// leave backgrounds alone).
#pragma once

#include "doc/AreaCommentTable.h"
#include "doc/TagRecord.h"
#include "doc/UserKeywordList.h"
#include "textpane/TextColours.h"

#include <cstdint>
#include <span>

// The bytes the step reads: text[0] stands at document offset start. Words
// and line comments are found in all of it and coloured where they meet the
// range, so give it whole lines, from a line start (the text's start or just
// after a CR LF) to a line end, and a range's colours do not depend on where
// the range was cut. Its edges count as word boundaries.
struct CColourSource
{
    std::span<const uint8_t> text;
    uint32_t start = 0;
};

struct CColourRules
{
    int documentType = 0;      // 1 and 2: C keywords and comments; 2 also C++ keywords
    bool areaComments = false; // ColorAreaComment: "/*" ... "*/" from the table
    CTextColours colours;
    const CUserKeywordList* userKeywords = nullptr;
    std::span<const CTagRecord> markedStrings;
    const CAreaCommentTable* comments = nullptr;
};

// Fills colours[i] for the byte at document offset from + i; the range must
// lie within the source.
void ColourBytes(const CColourSource& source, uint32_t from, std::span<uint32_t> colours,
                 const CColourRules& rules);
