#include "app/InstanceMessage.h"

#include <charconv>
#include <cstdint>
#include <filesystem>

namespace {

constexpr std::string_view kPrefix = "[open(\"";
constexpr std::string_view kSuffix = ")]";
// The widest ",LINE,COLUMN" part.
constexpr size_t kMaxPositionLength = 2 * (1 + 10);

// Length of the UTF-8 sequence at s[i], or 0 when it is malformed, overlong,
// a surrogate or beyond U+10FFFF.
size_t Utf8SequenceLength(std::string_view s, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool IsControl(char c)
{
    const auto b = static_cast<uint8_t>(c);
    return b < 0x20 || b == 0x7F;
}

bool IsPlainNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.'
           || c == '_';
}

// ",LINE,COLUMN" with two non-negative 32-bit decimal numbers, not both 0,
// or empty. Only the spelling MakeOpenRequest() writes is taken (no leading
// zeros), so that every request has exactly one text.
std::optional<std::pair<int32_t, int32_t>> ParsePosition(std::string_view text)
{
    if (text.empty())
        return std::pair<int32_t, int32_t>{0, 0};
    int32_t numbers[2] = {};
    for (int32_t& number : numbers) {
        if (text.size() < 2 || text[0] != ',' || text[1] < '0' || text[1] > '9')
            return std::nullopt;
        const char* begin = text.data() + 1;
        const auto [end, error] = std::from_chars(begin, text.data() + text.size(), number);
        if (error != std::errc() || number < 0 || (text[1] == '0' && end - begin > 1))
            return std::nullopt;
        text.remove_prefix(static_cast<size_t>(end - text.data()));
    }
    if (!text.empty() || (numbers[0] == 0 && numbers[1] == 0))
        return std::nullopt;
    return std::pair<int32_t, int32_t>{numbers[0], numbers[1]};
}

} // namespace

bool IsTransferableName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxRequestName)
        return false;
    for (size_t i = 0; i < name.size();) {
        if (IsControl(name[i]))
            return false;
        const size_t length = Utf8SequenceLength(name, i);
        if (length == 0)
            return false;
        i += length;
    }
    return std::filesystem::path(std::string(name)).is_absolute();
}

std::string MakeOpenRequest(const OpenRequest& request)
{
    std::string text;
    text.reserve(kPrefix.size() + request.name.size() + 1 + kMaxPositionLength + kSuffix.size());
    text.append(kPrefix).append(request.name).append("\"");
    if (request.line != 0 || request.column != 0)
        text.append(",").append(std::to_string(request.line)).append(",").append(std::to_string(request.column));
    return text.append(kSuffix);
}

size_t MaxOpenRequestLength()
{
    return kPrefix.size() + kMaxRequestName + 1 + kMaxPositionLength + kSuffix.size();
}

std::optional<OpenRequest> ParseOpenRequest(std::string_view text)
{
    if (text.size() > MaxOpenRequestLength() || !text.starts_with(kPrefix) || !text.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view inner = text.substr(kPrefix.size(), text.size() - kPrefix.size());
    const size_t lastQuote = inner.rfind('"');
    if (lastQuote == std::string_view::npos || lastQuote + kSuffix.size() > inner.size())
        return std::nullopt;
    const std::string_view name = inner.substr(0, lastQuote);
    const auto position = ParsePosition(inner.substr(lastQuote + 1, inner.size() - lastQuote - 1 - kSuffix.size()));
    if (!position || !IsTransferableName(name))
        return std::nullopt;
    return OpenRequest{std::string(name), position->first, position->second};
}

std::string InstanceSocketName(std::string_view programBaseName)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : programBaseName) {
        if (IsPlainNameByte(c)) {
            out += c;
        } else {
            const auto b = static_cast<uint8_t>(c);
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out + ".instance";
}
