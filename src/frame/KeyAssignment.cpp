#include "frame/KeyAssignment.h"

#include "platform/VirtualKeys.h"

namespace {

constexpr size_t kMaxKeyTextChars = 8;
constexpr int kF2 = vk::F1 + 1;
constexpr int kF12 = vk::F1 + 11;

bool IsLetterOrDigit(int virtualKey)
{
    return (virtualKey >= vk::LetterA && virtualKey <= 'Z') || (virtualKey >= vk::Digit0 && virtualKey <= '9');
}

bool IsBound(const KeyEntry& entry, KeyKind kind, uint16_t id)
{
    return entry.nKind == kind && entry.nCommandId == id;
}

} // namespace

NewKeyCheck CheckNewKey(std::string_view text, uint8_t modifiers)
{
    const std::optional<uint8_t> key =
        text.size() <= kMaxKeyTextChars ? AssignableKeyFromName(text) : std::nullopt;
    if (!key)
        return {NewKeyCheck::Result::BadText, 0};
    const bool bareNonFunction = modifiers == keymod::None && (*key < kF2 || *key > kF12);
    const bool shiftTyping = modifiers == keymod::Shift && IsLetterOrDigit(*key);
    if (bareNonFunction || shiftTyping)
        return {NewKeyCheck::Result::Refused, *key};
    return {NewKeyCheck::Result::Ok, *key};
}

std::vector<std::string> BoundKeyNames(const CKeyTable& table, KeyKind kind, uint16_t id)
{
    std::vector<std::string> names;
    for (const KeyEntry& entry : table.entries())
        if (IsBound(entry, kind, id))
            names.push_back(KeyName(entry));
    return names;
}

bool RemoveBoundKey(CKeyTable& table, KeyKind kind, uint16_t id, std::string_view keyName)
{
    const std::vector<KeyEntry>& entries = table.entries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (IsBound(entries[i], kind, id) && KeyName(entries[i]) == keyName)
            return table.remove(i);
    return false;
}
