// The display settings set of the cabinet in use. Until a cabinet file is
// read (CabinetFile) it holds these defaults; documents copy their layout
// values from it when built and when their layout is reset.
#pragma once

#include "doc/UserKeywordList.h"
#include "platform/LogFont.h"

#include <array>
#include <cstdint>

// The cabinet file keeps the set as 41 32-bit values; each field below notes
// its number.
using CabinetValues = std::array<int32_t, 41>;

struct CCabinetSettings
{
    int32_t nFoldColumn = 250;       // 0: 10 to 250
    int32_t nTabWidth = 4;           // 1
    int32_t nPaneMargin = 0;         // 4: tenths of a millimetre
    int32_t bSaveMarks = 1;          // 10
    int32_t bSaveTags = 1;           // 11
    int32_t nDocumentType = 0;       // 12: 0 to 2
    // The text pane's colour scheme, values 13 to 23 (RGB; the three
    // backgrounds carry the top bit).
    uint32_t markedLineBackColor = 0x80008000;   // 13
    uint32_t markedStringBackColor = 0x80808000; // 14
    uint32_t cKeywordColor = 0xFF0000;           // 15
    uint32_t keywordColor = 0x0000FF;            // 16
    uint32_t cppKeywordColor = 0xFF0000;         // 17
    uint32_t crMarkColor = 0xFF0000;             // 18
    uint32_t tabMarkColor = 0xC0C0C0;            // 19
    uint32_t commentColor = 0x008000;            // 20
    uint32_t textColor = 0x000000;               // 21: also the hex pane's data colour
    uint32_t textBackColor = 0xFFFFFF;           // 22: also the panes' background
    uint32_t tagOriginBackColor = 0x80808000;    // 23
    // The text pane's format options.
    int32_t bWordWrap = 0;           // 2: 0 or 1
    int32_t bKinsoku = 0;            // 3
    int32_t bFreeCursor = 0;         // 5
    int32_t bShowTabMarks = 0;       // 6
    int32_t bShowCrMarks = 1;        // 7
    int32_t bLogicalLineNumbers = 0; // 8: the line and column panes count up to each CR LF
    // Names: the list after the block, its count is value 24; matchCase is
    // value 9 and wholeWord value 25.
    CUserKeywordList keywords; // empty until a cabinet brings names
    LogFontRecord font = DefaultFont(); // 26 to 40: the 60 bytes as they are

    static LogFontRecord DefaultFont();

    // The block as the cabinet file holds it, and back (every value but the
    // name count, which comes with the names).
    CabinetValues values() const;
    void setValues(const CabinetValues& values);

    bool operator==(const CCabinetSettings&) const = default;
};

// Numbers of the values the cabinet file checks or converts.
enum CabinetValue : int {
    kCabFoldColumn = 0,
    kCabWordWrap = 2,
    kCabDocumentType = 12,
    kCabFirstColour = 13,
    kCabLastColour = 23,
    kCabNameCount = 24,
    kCabFirstFontValue = 26,
};

extern CCabinetSettings g_cabinet;
