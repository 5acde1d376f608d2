#include "binpane/InspectorCharacters.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace inspector {
namespace {

constexpr std::string_view kIncomplete = "不完全";
constexpr std::string_view kInvalid = "不正";
constexpr std::string_view kUndefined = "未定義";
constexpr std::string_view kControl = "制御";
constexpr std::string_view kSpace = "空白";
constexpr uint8_t kEsc = 0x1B;

void AppendCodePoint(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// What stands for a character: itself, or a word for one nobody can see.
std::string Shown(char32_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
        return std::string(kControl);
    if (c == 0x20)
        return std::string(kSpace);
    if (c == 0xFFFD)
        return std::string(kUndefined);
    std::string out;
    AppendCodePoint(out, c);
    return out;
}

// The shown text, two blanks, the code bytes and an optional note.
std::string Describe(std::string_view shown, std::span<const uint8_t> code, std::string_view note = {})
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out(shown);
    out += ' ';
    for (const uint8_t b : code) {
        out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    if (!note.empty()) {
        out += "  ";
        out += note;
    }
    return out;
}

// JIS X 0208 row and cell of a 7-bit pair, e.g. "16区01点".
std::string RowCell(uint8_t high, uint8_t low)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02d区%02d点", high - 0x20, low - 0x20);
    return text;
}

// The character of a JIS X 0208 code through the code page's own mapping.
char32_t JisCharacter(uint8_t high, uint8_t low)
{
    const uint16_t sjis = cp932::JisToSjis(static_cast<uint16_t>(high << 8 | low));
    return cp932::ToUnicode(static_cast<uint8_t>(sjis >> 8), sjis & 0xFF);
}

bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }
bool IsEucByte(uint8_t b) { return b >= 0xA1 && b <= 0xFE; }
bool IsSjisTrail(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

std::string JisEscape(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 3)
        return bytes.size() == 1 || bytes[1] == '$' || bytes[1] == '(' ? Describe(kIncomplete, bytes)
                                                                        : Describe(kControl, bytes.first(1));
    const std::span<const uint8_t> escape = bytes.first(3);
    if (bytes[1] == '$' && (bytes[2] == 'B' || bytes[2] == '@'))
        return Describe("ESC", escape, "漢字へ");
    if (bytes[1] == '(' && (bytes[2] == 'B' || bytes[2] == 'J'))
        return Describe("ESC", escape, "英数へ");
    return Describe(kControl, bytes.first(1));
}

} // namespace

std::string ShiftJisText(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return "-";
    const uint8_t lead = bytes[0];
    if (!cp932::IsLeadByte(lead))
        return Describe(Shown(cp932::ToUnicode(lead)), bytes.first(1));
    if (bytes.size() < 2)
        return Describe(kIncomplete, bytes.first(1));
    if (!IsSjisTrail(bytes[1]))
        return Describe(kInvalid, bytes.first(2));
    return Describe(Shown(cp932::ToUnicode(lead, bytes[1])), bytes.first(2));
}

std::string JisText(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return "-";
    const uint8_t high = bytes[0];
    if (high == kEsc)
        return JisEscape(bytes);
    if (high >= 0x80)
        return Describe(kInvalid, bytes.first(1));
    if (!IsJisByte(high))
        return Describe(Shown(high), bytes.first(1));
    if (bytes.size() < 2)
        return Describe(kIncomplete, bytes.first(1));
    if (!IsJisByte(bytes[1]))
        return Describe(kInvalid, bytes.first(2));
    return Describe(Shown(JisCharacter(high, bytes[1])), bytes.first(2), RowCell(high, bytes[1]));
}

std::string EucText(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return "-";
    const uint8_t first = bytes[0];
    if (first < 0x80)
        return Describe(Shown(first), bytes.first(1));
    // 0x8E: a half-width kana; 0x8F: a JIS X 0212 pair, which the code page lacks.
    const size_t length = first == 0x8F ? 3 : 2;
    if (first != 0x8E && first != 0x8F && !IsEucByte(first))
        return Describe(kInvalid, bytes.first(1));
    if (bytes.size() < length)
        return Describe(kIncomplete, bytes);
    const std::span<const uint8_t> code = bytes.first(length);
    if (first == 0x8E)
        return bytes[1] >= 0xA1 && bytes[1] <= 0xDF ? Describe(Shown(cp932::ToUnicode(bytes[1])), code)
                                                    : Describe(kInvalid, code);
    const uint8_t high = code[length - 2];
    const uint8_t low = code[length - 1];
    if (!IsEucByte(high) || !IsEucByte(low))
        return Describe(kInvalid, code);
    const auto jisHigh = static_cast<uint8_t>(high - 0x80);
    const auto jisLow = static_cast<uint8_t>(low - 0x80);
    if (first == 0x8F)
        return Describe(kUndefined, code, "補助漢字 " + RowCell(jisHigh, jisLow));
    return Describe(Shown(JisCharacter(jisHigh, jisLow)), code, RowCell(jisHigh, jisLow));
}

std::string Utf16Text(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return "-";
    if (bytes.size() < 2)
        return Describe(kIncomplete, bytes);
    const auto unit = [&bytes](size_t i) { return static_cast<char32_t>(bytes[i] | bytes[i + 1] << 8); };
    char32_t c = unit(0);
    size_t length = 2;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return Describe(kInvalid, bytes.first(2));
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (bytes.size() < 4)
            return Describe(kIncomplete, bytes.first(std::min<size_t>(bytes.size(), 3)));
        const char32_t low = unit(2);
        if (low < 0xDC00 || low > 0xDFFF)
            return Describe(kInvalid, bytes.first(4));
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        length = 4;
    }
    char note[12];
    std::snprintf(note, sizeof note, "U+%04X", static_cast<unsigned>(c));
    return Describe(c == 0xFFFD ? std::string("\xEF\xBF\xBD") : Shown(c), bytes.first(length), note);
}

} // namespace inspector
