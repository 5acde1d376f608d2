#include "app/ProgramData.h"

#include <cstring>

ProgramData g_programData;

LogFontRecord PageLayout::DefaultPrintFont()
{
    LogFontRecord font;
    font.lfHeight = 9;
    font.lfCharSet = 128;       // Shift-JIS
    font.lfPitchAndFamily = 1;  // fixed pitch
    static constexpr char kFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ ゴシック
    std::memcpy(font.lfFaceName, kFace, sizeof kFace);
    return font;
}

std::array<uint32_t, 16> ProgramData::WhiteColours()
{
    std::array<uint32_t, 16> colours;
    colours.fill(0xFFFFFF);
    return colours;
}
