// The display settings set of the cabinet in use. Until a cabinet file is
// read (cabinet store) it holds these defaults; documents copy their layout
// values from it when built and when their layout is reset.
#pragma once

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
    LogFontRecord font = DefaultFont();

    static LogFontRecord DefaultFont();
};

extern CCabinetSettings g_cabinet;
