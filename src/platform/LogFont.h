// The 60-byte logical-font record kept byte-exact in every file that stores a
// font (cabinet, data file). Little-endian fields as in the Windows LOGFONTA.
#pragma once

#include <cstdint>
#include <cstring>

#pragma pack(push, 1)
struct LogFontRecord
{
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {}; // CP932, zero-terminated

    bool operator==(const LogFontRecord& other) const
    {
        return std::memcmp(this, &other, sizeof *this) == 0;
    }
};
#pragma pack(pop)
static_assert(sizeof(LogFontRecord) == 60, "the font record is stored byte-exact");
