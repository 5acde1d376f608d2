// The key-assignment table: up to 80 bindings of a key and a modifier
// combination to a menu command, an other command or a saved operation. The
// frame offers every key press to it first; the menus show the key names of
// the bindings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class KeyKind : uint32_t { Menu = 1, Operation = 2, Other = 3 };

// Modifier combinations as the key file stores them.
namespace keymod {
constexpr uint8_t None = 0;
constexpr uint8_t Ctrl = 1;
constexpr uint8_t Shift = 2;
constexpr uint8_t CtrlShift = 3;
} // namespace keymod

struct KeyEntry
{
    uint8_t nVirtualKey = 0;
    KeyKind nKind = KeyKind::Menu;
    uint8_t nModifiers = keymod::None;
    uint16_t nCommandId = 0;      // Menu and Other; 0 for Operation
    std::string strOperation;     // Operation only

    bool operator==(const KeyEntry&) const = default;
};

// One of the keys the user may assign, in the order of the key combo box.
struct AssignableKey
{
    const char* name;
    uint8_t virtualKey;
};
// "A" to "Z", "0" to "9", "F2" to "F12", "Insert", "Delete": 49 keys.
std::span<const AssignableKey> AssignableKeys();
// The virtual key of an assignable key's exact name.
std::optional<uint8_t> AssignableKeyFromName(std::string_view name);

// The text shown for a binding: "Ctrl+", "Shift+" or "Ctrl+Shift+", then the key.
std::string KeyName(int virtualKey, int modifiers);
inline std::string KeyName(const KeyEntry& entry)
{
    return KeyName(entry.nVirtualKey, entry.nModifiers);
}

// A menu text with a key name: the text up to its first tab, then a tab and
// the key name; just the text up to the tab when keyName is empty, so a
// binding that was removed leaves no stale name behind.
std::string MenuTextWithKey(std::string_view text, std::string_view keyName);

// The menu commands the keyboard page lists, in its order.
std::span<const uint16_t> KeyMenuCommands();
// The other commands (kind 3) with their names.
struct OtherKeyCommand
{
    uint16_t id;
    const char* name;
};
std::span<const OtherKeyCommand> OtherKeyCommands();

// Whether a key press edits or moves in a text field: typing, Delete,
// Backspace, the arrows, Home and End (with Shift or Ctrl), the clipboard
// keys (Ctrl+C/V/X, Ctrl+Insert, Shift+Insert, Shift+Delete), Ctrl+A and
// undo/redo (Ctrl+Z/Y). While a field has the focus these keys are its own,
// whatever the key table binds them to.
bool IsTextFieldKey(int qtKey, int qtModifiers);

class CKeyTable
{
public:
    static constexpr size_t kMaxEntries = 80;

    enum class AddResult { Added, Full, AlreadyAssigned };

    // The default table.
    CKeyTable();

    void setDefaults();
    const std::vector<KeyEntry>& entries() const { return m_entries; }
    // Replaces the table (a key file was read); false, table unchanged, above kMaxEntries.
    [[nodiscard]] bool assign(std::vector<KeyEntry> entries);

    // The first binding of exactly this key and these modifiers, or null.
    const KeyEntry* find(int virtualKey, int modifiers) const;
    // The binding a Qt key press runs, or null when the press is not for the table.
    // Ctrl and Shift decide; Alt without Ctrl makes it a system key and nothing runs.
    const KeyEntry* translate(int qtKey, int qtModifiers) const;

    // The key name a command's menu item shows, empty without a menu binding.
    std::string menuKeyName(uint16_t commandId) const;

    // Appends a binding unless the table is full or the key is taken.
    [[nodiscard]] AddResult add(KeyEntry entry);
    // Removes the entry at index; later entries move up. False when out of range.
    [[nodiscard]] bool remove(size_t index);
    // Removes the saved-operation bindings whose operation `exists` denies;
    // answers how many went.
    size_t removeMissingOperations(const std::function<bool(const std::string&)>& exists);

private:
    std::vector<KeyEntry> m_entries;
};

extern CKeyTable g_keyTable;
