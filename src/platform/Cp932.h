// Code page 932 (Microsoft Shift-JIS) services: lead bytes, position
// classification, JIS X 0208 <-> Shift-JIS, UTF-16 -> CP932 and CP932 -> Unicode.
// Document bytes are never converted in the store; these are used where bytes
// are drawn, typed, pasted or handed to other programs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cp932 {

// 0x81..0x9F and 0xE0..0xFC.
constexpr bool IsLeadByte(uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

enum class CharKind { Single = 0, Lead = 1, Trail = 2 };

// Classification of position k in s[0..n): walk back from k while the byte is
// 0x40 or above (position 0 is taken as the start without being examined),
// then scan forward as a multibyte string. Position 0 and a byte below 0x40
// at k are always single. Exact for any content, in time bounded by the run of
// lead bytes before k rather than by the distance to the last byte below 0x40.
CharKind ClassifyPosition(const uint8_t* s, size_t n, size_t k);

// JIS X 0208 code (two bytes 0x21..0x7E, high byte first) to the Shift-JIS
// pair, high byte first. Values outside the JIS rows are mapped by the same
// arithmetic, as the system routine does.
uint16_t JisToSjis(uint16_t jis);
uint16_t SjisToJis(uint16_t sjis);

// UTF-16LE code units -> CP932 bytes; characters CP932 cannot represent become '?'.
std::string FromUtf16(const char16_t* units, size_t count);
std::string FromUtf8(std::string_view utf8);

// CP932 bytes -> UTF-8 as the clipboard gives them to other programs. Table
// driven (the dump of a 50 MiB file goes through it). A byte or pair with no
// mapping (a lone lead byte, an undefined pair) becomes U+FFFD.
void AppendUtf8(std::string& out, const uint8_t* s, size_t n);
// The same into a buffer apart from s with room for 3 * n + 1 bytes, for a
// short text such as a dump line's character column; answers the length.
size_t WriteUtf8(const uint8_t* s, size_t n, uint8_t* out);
std::string ToUtf8(std::string_view cp932Bytes);

// Unicode code point of one character for drawing: a single byte, or a
// lead byte with its trail (pass trail = -1 for a single byte). Answers
// 0xFFFD when the code page has no mapping.
char32_t ToUnicode(uint8_t lead, int trail = -1);

} // namespace cp932
