#include "textpane/TextColours.h"

#include "doc/CabinetSettings.h"

CTextColours CTextColours::Of(const CCabinetSettings& cabinet)
{
    CTextColours c;
    c.text = cabinet.textColor;
    c.textBack = cabinet.textBackColor;
    c.crMark = cabinet.crMarkColor;
    c.tabMark = cabinet.tabMarkColor;
    c.cKeyword = cabinet.cKeywordColor;
    c.cppKeyword = cabinet.cppKeywordColor;
    c.comment = cabinet.commentColor;
    c.keyword = cabinet.keywordColor;
    // The painter tells a background by its top bit, so it is set whatever
    // the cabinet held.
    c.markedLineBack = cabinet.markedLineBackColor | kBackgroundBit;
    c.markedStringBack = cabinet.markedStringBackColor | kBackgroundBit;
    c.tagOriginBack = cabinet.tagOriginBackColor | kBackgroundBit;
    return c;
}
