#include "binpane/JumpText.h"

#include "platform/HexDigits.h"

#include <algorithm>

std::string g_strJumpText = "0x0000";

namespace {

int digitValue(char c, int base)
{
    const int value = HexDigitValue(c);
    return value < base ? value : -1;
}

// Every character must be a digit of the base; at most 10 of them, so the value fits.
std::optional<uint64_t> parseDigits(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    return value;
}

} // namespace

std::optional<uint64_t> parseJumpText(std::string_view text)
{
    if (text.empty() || text.size() > kJumpTextMaxChars)
        return std::nullopt;
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseDigits(text.substr(2), 16);
    return parseDigits(text, 10);
}

std::optional<uint32_t> acceptJumpText(std::string_view text, uint32_t dataSize)
{
    const auto value = parseJumpText(text);
    if (!value)
        return std::nullopt;
    g_strJumpText = std::string(text);
    return static_cast<uint32_t>(std::min<uint64_t>(*value, dataSize));
}
