// A plain model of the CP932 -> UTF-8 conversion for tests: character by
// character through the system converter, each character on its own.
#pragma once

#include "platform/Cp932.h"

#include <iconv.h>
#include <string>
#include <string_view>

namespace utf8model {

// One character as UTF-8, or U+FFFD when the converter refuses it.
inline std::string SystemDecode(iconv_t cd, const uint8_t* bytes, size_t n)
{
    char in[2] = {static_cast<char>(bytes[0]), n > 1 ? static_cast<char>(bytes[1]) : '\0'};
    char out[16];
    char* src = in;
    char* dst = out;
    size_t srcLeft = n, dstLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
        return "\xEF\xBF\xBD";
    return std::string(out, static_cast<size_t>(dst - out));
}

// A lead byte takes the next byte when it is in the trail range.
inline std::string ToUtf8(std::string_view text)
{
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const bool pair = cp932::IsLeadByte(s[i]) && i + 1 < text.size() && s[i + 1] >= 0x40 &&
                          s[i + 1] <= 0xFC && s[i + 1] != 0x7F;
        out += SystemDecode(cd, s + i, pair ? 2 : 1);
        i += pair ? 2 : 1;
    }
    iconv_close(cd);
    return out;
}

} // namespace utf8model
