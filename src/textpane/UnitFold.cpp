#include "textpane/UnitFold.h"

#include "platform/Cp932.h"

#include <array>
#include <string_view>

namespace unitfold {
namespace {

// The half-width katakana and marks U+FF61..U+FF9F (bytes 0xA1..0xDF) in
// their order, written in full width: each folds to the byte of its place.
constexpr std::u32string_view kKanaByPlace =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    U"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

uint8_t HalfOf(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
        return static_cast<uint8_t>(c - 0xFEE0);
    switch (c) {
    case 0x3000: return ' ';
    case 0x2019: return '\'';
    case 0x201D: return '"';
    case 0x2018: return '`';
    default: break;
    }
    const size_t place = kKanaByPlace.find(c);
    return place == std::u32string_view::npos ? 0 : static_cast<uint8_t>(0xA1 + place);
}

// Indexed by lead << 8 | trail; built once from the code page's own mapping.
const std::array<uint8_t, 0x10000>& HalfTable()
{
    static const auto table = [] {
        std::array<uint8_t, 0x10000> t{};
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!cp932::IsLeadByte(static_cast<uint8_t>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                t[lead << 8 | trail] = HalfOf(cp932::ToUnicode(static_cast<uint8_t>(lead), static_cast<int>(trail)));
        }
        return t;
    }();
    return table;
}

constexpr uint16_t kFullUpperA = 0x8260, kFullUpperZ = 0x8279, kFullToLower = 0x8281 - 0x8260;

} // namespace

uint8_t HalfWidth(uint8_t lead, uint8_t trail)
{
    return HalfTable()[static_cast<unsigned>(lead) << 8 | trail];
}

uint16_t Key(const uint8_t* unit, uint32_t& length, bool matchCase, bool distinguishWidth)
{
    uint16_t key = static_cast<uint16_t>(unit[0] << 8);
    if (length == 2) {
        const uint8_t half = distinguishWidth ? 0 : HalfWidth(unit[0], unit[1]);
        if (half != 0) {
            key = static_cast<uint16_t>(half << 8);
            length = 1;
        } else {
            key = static_cast<uint16_t>(key | unit[1]);
        }
    }
    if (!matchCase) {
        if (length == 1 && key >= ('A' << 8) && key <= ('Z' << 8))
            key = static_cast<uint16_t>(key + (('a' - 'A') << 8));
        else if (length == 2 && key >= kFullUpperA && key <= kFullUpperZ)
            key = static_cast<uint16_t>(key + kFullToLower);
    }
    return key;
}

} // namespace unitfold
