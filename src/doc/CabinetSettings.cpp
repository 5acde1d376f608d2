#include "doc/CabinetSettings.h"

#include <cstring>
#include <iterator>

CCabinetSettings g_cabinet;

LogFontRecord CCabinetSettings::DefaultFont()
{
    LogFontRecord font;
    font.lfHeight = 14; // points, not pixels: the view scales it
    font.lfWeight = 400;
    font.lfCharSet = 128; // Shift-JIS
    font.lfOutPrecision = 1;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 0x31; // fixed pitch, modern
    const char face[] = "Fixedsys";
    static_assert(sizeof face <= sizeof font.lfFaceName);
    for (unsigned i = 0; i < sizeof face; ++i)
        font.lfFaceName[i] = face[i];
    return font;
}

namespace {

// The colours in file order, values 13 to 23.
constexpr uint32_t CCabinetSettings::*kColours[] = {
    &CCabinetSettings::markedLineBackColor, &CCabinetSettings::markedStringBackColor,
    &CCabinetSettings::cKeywordColor,       &CCabinetSettings::keywordColor,
    &CCabinetSettings::cppKeywordColor,     &CCabinetSettings::crMarkColor,
    &CCabinetSettings::tabMarkColor,        &CCabinetSettings::commentColor,
    &CCabinetSettings::textColor,           &CCabinetSettings::textBackColor,
    &CCabinetSettings::tagOriginBackColor,
};
static_assert(std::size(kColours) == kCabLastColour - kCabFirstColour + 1);

// The plain numbers with their value numbers.
struct NumberSlot
{
    int index;
    int32_t CCabinetSettings::*field;
};
constexpr NumberSlot kNumbers[] = {
    {0, &CCabinetSettings::nFoldColumn},  {1, &CCabinetSettings::nTabWidth},
    {2, &CCabinetSettings::bWordWrap},    {3, &CCabinetSettings::bKinsoku},
    {4, &CCabinetSettings::nPaneMargin},  {5, &CCabinetSettings::bFreeCursor},
    {6, &CCabinetSettings::bShowTabMarks}, {7, &CCabinetSettings::bShowCrMarks},
    {8, &CCabinetSettings::bLogicalLineNumbers}, {10, &CCabinetSettings::bSaveMarks},
    {11, &CCabinetSettings::bSaveTags},   {12, &CCabinetSettings::nDocumentType},
};
constexpr int kMatchCase = 9;
constexpr int kWholeWord = 25;

static_assert(sizeof(LogFontRecord) == (std::tuple_size_v<CabinetValues> - kCabFirstFontValue) * 4);

} // namespace

CabinetValues CCabinetSettings::values() const
{
    CabinetValues v{};
    for (const NumberSlot& slot : kNumbers)
        v[slot.index] = this->*slot.field;
    for (size_t i = 0; i < std::size(kColours); ++i)
        v[kCabFirstColour + i] = static_cast<int32_t>(this->*kColours[i]);
    v[kMatchCase] = keywords.matchCase;
    v[kWholeWord] = keywords.wholeWord;
    v[kCabNameCount] = static_cast<int32_t>(keywords.names.size());
    std::memcpy(&v[kCabFirstFontValue], &font, sizeof font);
    return v;
}

void CCabinetSettings::setValues(const CabinetValues& v)
{
    for (const NumberSlot& slot : kNumbers)
        this->*slot.field = v[slot.index];
    for (size_t i = 0; i < std::size(kColours); ++i)
        this->*kColours[i] = static_cast<uint32_t>(v[kCabFirstColour + i]);
    keywords.matchCase = v[kMatchCase] != 0;
    keywords.wholeWord = v[kWholeWord] != 0;
    // The record is plain bytes; its member defaults make it non-trivial only in name.
    std::memcpy(static_cast<void*>(&font), &v[kCabFirstFontValue], sizeof font);
}
