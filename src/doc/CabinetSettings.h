// The display settings set of the cabinet in use. Until a cabinet file is
// read (cabinet store) it holds these defaults; documents copy their layout
// values from it when built and when their layout is reset.
#pragma once

#include "doc/UserKeywordList.h"
#include "platform/LogFont.h"

#include <cstdint>

struct CCabinetSettings
{
    int32_t nFoldColumn = 250;
    int32_t nTabWidth = 4;
    int32_t nPaneMargin = 0; // tenths of a millimetre
    int32_t bSaveMarks = 1;
    int32_t bSaveTags = 1;
    int32_t nDocumentType = 0;
    uint32_t textColor = 0x000000;
    uint32_t textBackColor = 0xFFFFFF;
    // The rest of the text pane's colour scheme (RGB; the three backgrounds
    // carry the top bit).
    uint32_t markedLineBackColor = 0x80008000;
    uint32_t markedStringBackColor = 0x80808000;
    uint32_t cKeywordColor = 0xFF0000;
    uint32_t keywordColor = 0x0000FF;
    uint32_t cppKeywordColor = 0xFF0000;
    uint32_t crMarkColor = 0xFF0000;
    uint32_t tabMarkColor = 0xC0C0C0;
    uint32_t commentColor = 0x008000;
    uint32_t tagOriginBackColor = 0x80808000;
    // The text pane's format options.
    int32_t bWordWrap = 0;
    int32_t bKinsoku = 0;
    int32_t bFreeCursor = 0;
    int32_t bShowCrMarks = 1;
    int32_t bShowTabMarks = 0;
    int32_t bLogicalLineNumbers = 0; // the line and column panes count up to each CR LF
    CUserKeywordList keywords; // empty until a cabinet brings names
    LogFontRecord font = DefaultFont();

    static LogFontRecord DefaultFont();
};

extern CCabinetSettings g_cabinet;
