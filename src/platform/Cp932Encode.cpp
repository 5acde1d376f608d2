// The Unicode -> code page 932 direction: through iconv, one '?' for every
// character the code page cannot represent.
#include "platform/Cp932.h"

#include "platform/IconvConverter.h"

#include <bit>
#include <utility>

namespace cp932 {
namespace {

// Units of the character at units[0]: a surrogate pair is one character.
size_t Utf16CharLength(const char16_t* units, size_t count)
{
    const bool high = units[0] >= 0xD800 && units[0] <= 0xDBFF;
    return high && count >= 2 && units[1] >= 0xDC00 && units[1] <= 0xDFFF ? 2 : 1;
}

// Length of the well-formed UTF-8 character at s[0], or of its longest
// well-formed beginning (at least 1), so that one broken sequence gives one '?'.
size_t Utf8CharLength(const uint8_t* s, size_t n)
{
    const uint8_t b = s[0];
    size_t need;
    uint8_t lo = 0x80, hi = 0xBF; // range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2;
        lo = b == 0xE0 ? 0xA0 : 0x80;
        hi = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3;
        lo = b == 0xF0 ? 0x90 : 0x80;
        hi = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    size_t length = 1;
    for (size_t k = 0; k < need && length < n; ++k, ++length) {
        const uint8_t c = s[length];
        if (k == 0 ? (c < lo || c > hi) : (c < 0x80 || c > 0xBF))
            break;
    }
    return length;
}

// Converts through iconv; every character it refuses becomes one '?' (ASCII
// is always representable, so it survives even without the converter).
// `unit` is the width of one input unit in bytes.
template <typename CharLength>
std::string ToCp932(CIconvConverter& encoder, const char* in, size_t bytes, size_t unit,
                    CharLength charLength)
{
    std::string out;
    out.reserve(bytes / unit * 2);
    size_t pos = 0;
    while (pos < bytes) {
        const auto result = encoder.convert(in + pos, bytes - pos, out);
        pos += result.consumed;
        if (result.stop == CIconvConverter::Stop::Done)
            break;
        encoder.reset();
        const auto [length, ascii] = charLength(pos);
        out += ascii >= 0 ? static_cast<char>(ascii) : '?';
        pos += length * unit;
    }
    return out;
}

const char* NativeUtf16()
{
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

} // namespace

std::string FromUtf16(const char16_t* units, size_t count)
{
    thread_local CIconvConverter encoder("CP932", NativeUtf16());
    auto charLength = [&](size_t pos) {
        const size_t at = pos / 2;
        const char16_t u = units[at];
        return std::pair<size_t, int>(Utf16CharLength(units + at, count - at), u < 0x80 ? u : -1);
    };
    return ToCp932(encoder, reinterpret_cast<const char*>(units), count * 2, 2, charLength);
}

std::string FromUtf8(std::string_view utf8)
{
    thread_local CIconvConverter encoder("CP932", "UTF-8");
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    auto charLength = [&](size_t pos) {
        const uint8_t b = bytes[pos];
        return std::pair<size_t, int>(Utf8CharLength(bytes + pos, utf8.size() - pos),
                                      b < 0x80 ? b : -1);
    };
    return ToCp932(encoder, utf8.data(), utf8.size(), 1, charLength);
}

} // namespace cp932
