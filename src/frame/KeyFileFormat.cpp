#include "frame/KeyFileFormat.h"

#include <algorithm>

namespace {

constexpr size_t kOldHeaderBytes = 6;
constexpr size_t kOldEntryBytes = 18;
constexpr size_t kOldOperationBytes = 10;
constexpr uint16_t kOldTag = 1540;
constexpr size_t kMinKeyFileBytes = kKeyHeaderBytes + kKeyEntryBytes;
constexpr size_t kMinOldFileBytes = kOldHeaderBytes + kOldEntryBytes;

uint32_t Le(std::string_view bytes, size_t offset, size_t size)
{
    uint32_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

// The text of a fixed field up to its first NUL; the field's last byte counts as one.
std::string FieldText(std::string_view field)
{
    field.remove_suffix(1);
    return std::string(field.substr(0, field.find('\0')));
}

// A kind and modifiers the table knows, with the fields the other kinds leave empty.
std::optional<KeyEntry> MakeEntry(uint8_t key, uint32_t kind, uint32_t modifiers, uint16_t id,
                                  std::string operation)
{
    if (kind < 1 || kind > 3 || modifiers > keymod::CtrlShift)
        return std::nullopt;
    KeyEntry entry{key, static_cast<KeyKind>(kind), static_cast<uint8_t>(modifiers), id, {}};
    if (entry.nKind == KeyKind::Operation) {
        entry.nCommandId = 0;
        entry.strOperation = std::move(operation);
    }
    return entry;
}

// Entries of `entryBytes` each from `offset` on, each decoded by `decode`.
template <typename Decode>
std::optional<std::vector<KeyEntry>> DecodeEntries(std::string_view bytes, size_t offset,
                                                   size_t entryBytes, Decode decode)
{
    std::vector<KeyEntry> entries;
    for (; offset < bytes.size(); offset += entryBytes) {
        auto entry = decode(bytes.substr(offset, entryBytes));
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

bool IsOldLayout(std::string_view bytes)
{
    return bytes.size() >= kOldHeaderBytes && Le(bytes, 4, 2) == kOldTag &&
           (bytes.size() < kKeyHeaderBytes || Le(bytes, 8, 4) != kKeyFileVersion);
}

std::optional<std::vector<KeyEntry>> DecodeOld(std::string_view bytes)
{
    const size_t size = bytes.size();
    if (size < kMinOldFileBytes || Le(bytes, 0, 2) != size || (size - kOldHeaderBytes) % kOldEntryBytes != 0)
        return std::nullopt;
    const size_t count = (size - kOldHeaderBytes) / kOldEntryBytes;
    if (Le(bytes, 2, 2) != count || count > CKeyTable::kMaxEntries)
        return std::nullopt;
    return DecodeEntries(bytes, kOldHeaderBytes, kOldEntryBytes, [](std::string_view e) {
        return MakeEntry(static_cast<uint8_t>(e[0]), Le(e, 2, 2), static_cast<uint8_t>(e[4]),
                         static_cast<uint16_t>(Le(e, 6, 2)), FieldText(e.substr(8, kOldOperationBytes)));
    });
}

std::optional<std::vector<KeyEntry>> DecodeCurrent(std::string_view bytes)
{
    const size_t size = bytes.size();
    if (size < kMinKeyFileBytes || size > kMaxKeyFileBytes || Le(bytes, 0, 4) != size ||
        (size - kKeyHeaderBytes) % kKeyEntryBytes != 0 ||
        Le(bytes, 4, 4) != (size - kKeyHeaderBytes) / kKeyEntryBytes || Le(bytes, 8, 4) != kKeyFileVersion)
        return std::nullopt;
    return DecodeEntries(bytes, kKeyHeaderBytes, kKeyEntryBytes, [](std::string_view e) {
        return MakeEntry(static_cast<uint8_t>(e[0]), Le(e, 4, 4), static_cast<uint8_t>(e[8]),
                         static_cast<uint16_t>(Le(e, 10, 2)), FieldText(e.substr(12, kKeyOperationBytes)));
    });
}

void PutLe(std::string& out, size_t offset, uint32_t value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        out[offset + i] = static_cast<char>(value >> (8 * i));
}

} // namespace

std::optional<std::vector<KeyEntry>> DecodeKeyFile(std::string_view bytes)
{
    return IsOldLayout(bytes) ? DecodeOld(bytes) : DecodeCurrent(bytes);
}

std::string EncodeKeyFile(std::span<const KeyEntry> entries)
{
    std::string out(kKeyHeaderBytes + kKeyEntryBytes * entries.size(), '\0');
    PutLe(out, 0, static_cast<uint32_t>(out.size()), 4);
    PutLe(out, 4, static_cast<uint32_t>(entries.size()), 4);
    PutLe(out, 8, kKeyFileVersion, 4);
    size_t offset = kKeyHeaderBytes;
    for (const KeyEntry& entry : entries) {
        out[offset] = static_cast<char>(entry.nVirtualKey);
        PutLe(out, offset + 4, static_cast<uint32_t>(entry.nKind), 4);
        out[offset + 8] = static_cast<char>(entry.nModifiers);
        PutLe(out, offset + 10, entry.nCommandId, 2);
        const size_t nameBytes = std::min(entry.strOperation.size(), kKeyOperationBytes - 1);
        std::copy_n(entry.strOperation.data(), nameBytes, out.begin() + static_cast<std::ptrdiff_t>(offset + 12));
        offset += kKeyEntryBytes;
    }
    return out;
}
