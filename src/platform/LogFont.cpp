#include "platform/LogFont.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace {

constexpr int kMaxFontPixels = 100;

} // namespace

LogFontRecord ChosenFontRecord(const LogFontRecord& previous, const char* faceCp932, int points, bool bold,
                               bool italic, int dpiY, bool& capped)
{
    LogFontRecord font = previous;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    // Whole characters only: a double-byte one that would lose its second byte goes.
    const size_t limit = strnlen(faceCp932, sizeof font.lfFaceName);
    size_t length = 0;
    while (length < limit) {
        const size_t unit = cp932::IsLeadByte(static_cast<uint8_t>(faceCp932[length])) ? 2 : 1;
        if (length + unit > sizeof font.lfFaceName - 1 || length + unit > limit)
            break;
        length += unit;
    }
    std::memcpy(font.lfFaceName, faceCp932, length);
    font.lfWeight = bold ? 700 : 400;
    font.lfItalic = italic ? 1 : 0;
    const int dpi = std::max(dpiY, 1);
    const int maxPoints = std::max(kMaxFontPixels * 72 / dpi, 1);
    capped = points > maxPoints;
    font.lfHeight = std::clamp(points, 1, maxPoints);
    return font;
}
