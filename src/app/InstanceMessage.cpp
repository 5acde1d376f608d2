#include "app/InstanceMessage.h"

#include <cstdint>
#include <filesystem>

namespace {

constexpr std::string_view kPrefix = "[open(\"";
constexpr std::string_view kSuffix = "\")]";

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

std::string MakeOpenRequest(std::string_view name)
{
    std::string text;
    text.reserve(kPrefix.size() + name.size() + kSuffix.size());
    text.append(kPrefix).append(name).append(kSuffix);
    return text;
}

size_t MaxOpenRequestLength()
{
    return kPrefix.size() + kMaxRequestName + kSuffix.size();
}

std::optional<std::string> ParseOpenRequest(std::string_view text)
{
    if (text.size() > MaxOpenRequestLength() || text.size() < kPrefix.size() + kSuffix.size()
        || !text.starts_with(kPrefix) || !text.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view name =
        text.substr(kPrefix.size(), text.size() - kPrefix.size() - kSuffix.size());
    if (!IsTransferableName(name))
        return std::nullopt;
    return std::string(name);
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
