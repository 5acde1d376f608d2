#include "textpane/TagLine.h"

namespace {

constexpr size_t kMinLine = 7;
constexpr size_t kMinName = 5;
constexpr size_t kMaxName = 260;
constexpr size_t kMaxNumber = 5;

bool isDigit(uint8_t b)
{
    return b >= '0' && b <= '9';
}

// The number in "(digits)" at s[open], when it is one.
std::optional<uint32_t> numberAt(const uint8_t* s, size_t n, size_t open)
{
    uint32_t number = 0;
    size_t q = open + 1;
    for (; q < n && q - open - 1 < kMaxNumber && isDigit(s[q]); ++q)
        number = number * 10 + (s[q] - '0');
    if (q == open + 1 || q >= n || s[q] != ')' || number == 0)
        return std::nullopt;
    return number;
}

} // namespace

std::optional<CTagTarget> ParseTagLine(const uint8_t* line, size_t n)
{
    if (n < kMinLine || n > kMaxTagLine)
        return std::nullopt;
    const bool drivePath = line[1] == ':' && line[2] == '\\';
    if (!drivePath && line[0] != '/')
        return std::nullopt;
    // Neither "(" nor ")" nor a digit is ever the trail byte of a double-byte
    // character, so the bytes can be searched without walking units.
    for (size_t open = kMinName; open <= kMaxName && open < n; ++open) {
        if (line[open] != '(')
            continue;
        if (const std::optional<uint32_t> number = numberAt(line, n, open))
            return CTagTarget{std::string(reinterpret_cast<const char*>(line), open), *number};
    }
    return std::nullopt;
}
