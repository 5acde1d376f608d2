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

// What the font dialog's choice makes of the stored record: the face (CP932,
// cut to fit its field), bold or normal weight, italic, and the size in
// points in the height field. A size of more than 100 pixels at the screen's
// vertical resolution is stored as the size that makes 100 pixels, and
// `capped` says so. The record's other fields stay as they were.
LogFontRecord ChosenFontRecord(const LogFontRecord& previous, const char* faceCp932, int points, bool bold,
                               bool italic, int dpiY, bool& capped);
