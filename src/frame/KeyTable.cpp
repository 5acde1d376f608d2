#include "frame/KeyTable.h"

#include "frame/MenuTable.h"
#include "platform/QtKeyCodes.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <iterator>
#include <utility>

CKeyTable g_keyTable;

namespace {

constexpr int kLetterCount = 26;
constexpr int kDigitCount = 10;
constexpr int kFunctionKeyCount = 24;
constexpr int kF3 = vk::F1 + 2;

constexpr AssignableKey kAssignableKeys[] = {
    {"A", 0x41}, {"B", 0x42}, {"C", 0x43}, {"D", 0x44}, {"E", 0x45}, {"F", 0x46}, {"G", 0x47},
    {"H", 0x48}, {"I", 0x49}, {"J", 0x4A}, {"K", 0x4B}, {"L", 0x4C}, {"M", 0x4D}, {"N", 0x4E},
    {"O", 0x4F}, {"P", 0x50}, {"Q", 0x51}, {"R", 0x52}, {"S", 0x53}, {"T", 0x54}, {"U", 0x55},
    {"V", 0x56}, {"W", 0x57}, {"X", 0x58}, {"Y", 0x59}, {"Z", 0x5A},
    {"0", 0x30}, {"1", 0x31}, {"2", 0x32}, {"3", 0x33}, {"4", 0x34}, {"5", 0x35}, {"6", 0x36},
    {"7", 0x37}, {"8", 0x38}, {"9", 0x39},
    {"F2", 0x71}, {"F3", 0x72}, {"F4", 0x73}, {"F5", 0x74}, {"F6", 0x75}, {"F7", 0x76},
    {"F8", 0x77}, {"F9", 0x78}, {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B},
    {"Insert", 0x2D}, {"Delete", 0x2E},
};
static_assert(std::size(kAssignableKeys) == 49);

KeyEntry MenuBinding(int key, uint8_t modifiers, uint16_t id, KeyKind kind = KeyKind::Menu)
{
    return {static_cast<uint8_t>(key), kind, modifiers, id, {}};
}

std::vector<KeyEntry> DefaultEntries()
{
    using namespace keymod;
    const KeyKind other = KeyKind::Other;
    return {
        MenuBinding('A', Ctrl, cmd::SelectAll),
        MenuBinding('C', Ctrl, cmd::EditCopy),
        MenuBinding('C', CtrlShift, cmd::ScreenCopy),
        MenuBinding('E', Ctrl, cmd::CodeSwitch),
        MenuBinding('F', Ctrl, cmd::FindInput, other),
        MenuBinding('N', Ctrl, cmd::FindNext, other),
        MenuBinding('O', Ctrl, cmd::FileOpen),
        MenuBinding('P', Ctrl, cmd::FindPrevious, other),
        MenuBinding('R', Ctrl, cmd::EditRedo),
        MenuBinding('S', Ctrl, cmd::FileSave),
        MenuBinding('V', Ctrl, cmd::EditPaste),
        MenuBinding(vk::Delete, Shift, cmd::EditCut),
        MenuBinding(kF3, None, cmd::MarkNext),
        MenuBinding(kF3, Ctrl, cmd::MarkToggle),
        MenuBinding(kF3, Shift, cmd::MarkPrevious),
        MenuBinding(vk::Insert, Ctrl, cmd::EditCopy),
        MenuBinding(vk::Insert, Shift, cmd::EditPaste),
        MenuBinding('X', Ctrl, cmd::EditCut),
        MenuBinding('Z', Ctrl, cmd::EditUndo),
    };
}

constexpr uint16_t kKeyMenuCommands[] = {
    cmd::FileNew, cmd::FileOpen, cmd::FileClose, cmd::FileSave, cmd::FileSaveAs,
    cmd::FilePrint, cmd::FilePrintPreview, cmd::PageLayout, cmd::FilePrintSetup, cmd::AppExit,
    cmd::EditUndo, cmd::EditRedo, cmd::EditCut, cmd::EditCopy, cmd::ScreenCopy, cmd::EditPaste,
    cmd::EditFind, cmd::EditReplace, cmd::Compare, cmd::FormatTemplate, cmd::SelectAll,
    cmd::ReadOnly, cmd::Checksum, cmd::Jump, cmd::MarkToggle, cmd::MarkNext, cmd::MarkPrevious,
    cmd::MarkClearAll, cmd::CodeSwitch, cmd::ViewInspector, cmd::CommonSettings, cmd::DisplayFont,
    cmd::Customize,
    cmd::WindowNew, cmd::WindowCascade, cmd::WindowTile, cmd::WindowArrange,
};

constexpr OtherKeyCommand kOtherKeyCommands[] = {
    {cmd::FindInput, "検索文字列入力"},
    {cmd::FindNext, "次を検索"},
    {cmd::FindPrevious, "前を検索"},
};

// Names of the keys a key file may hold besides the assignable ones.
std::string OtherKeyName(int virtualKey)
{
    constexpr std::pair<int, const char*> kNames[] = {
        {vk::Back, "BackSpace"}, {vk::Tab, "Tab"}, {vk::Return, "Enter"},
        {vk::Escape, "Esc"}, {vk::Space, "Space"}, {vk::Prior, "PageUp"},
        {vk::Next, "PageDown"}, {vk::End, "End"}, {vk::Home, "Home"},
        {vk::Left, "Left"}, {vk::Up, "Up"}, {vk::Right, "Right"}, {vk::Down, "Down"},
    };
    for (const auto& [code, name] : kNames)
        if (code == virtualKey)
            return name;
    if (virtualKey >= vk::Numpad0 && virtualKey < vk::Numpad0 + kDigitCount)
        return "Num" + std::to_string(virtualKey - vk::Numpad0);
    constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("VK") + kHex[(virtualKey >> 4) & 15] + kHex[virtualKey & 15];
}

std::string BareKeyName(int virtualKey)
{
    const bool letter = virtualKey >= vk::LetterA && virtualKey < vk::LetterA + kLetterCount;
    const bool digit = virtualKey >= vk::Digit0 && virtualKey < vk::Digit0 + kDigitCount;
    if (letter || digit)
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= vk::F1 && virtualKey < vk::F1 + kFunctionKeyCount)
        return "F" + std::to_string(virtualKey - vk::F1 + 1);
    if (virtualKey == vk::Insert)
        return "Insert";
    if (virtualKey == vk::Delete)
        return "Delete";
    return OtherKeyName(virtualKey);
}

// Lower ranks win: fewer modifiers first, then the higher key code.
bool Preferred(const KeyEntry& a, const KeyEntry& b)
{
    if (a.nModifiers != b.nModifiers)
        return a.nModifiers < b.nModifiers;
    return a.nVirtualKey > b.nVirtualKey;
}

} // namespace

std::span<const AssignableKey> AssignableKeys()
{
    return kAssignableKeys;
}

std::optional<uint8_t> AssignableKeyFromName(std::string_view name)
{
    for (const AssignableKey& key : kAssignableKeys)
        if (name == key.name)
            return key.virtualKey;
    return std::nullopt;
}

std::string KeyName(int virtualKey, int modifiers)
{
    std::string name;
    if (modifiers & keymod::Ctrl)
        name += "Ctrl+";
    if (modifiers & keymod::Shift)
        name += "Shift+";
    return name + BareKeyName(virtualKey);
}

std::string MenuTextWithKey(std::string_view text, std::string_view keyName)
{
    std::string result(text.substr(0, text.find('\t')));
    if (!keyName.empty()) {
        result += '\t';
        result += keyName;
    }
    return result;
}

std::span<const uint16_t> KeyMenuCommands()
{
    return kKeyMenuCommands;
}

std::span<const OtherKeyCommand> OtherKeyCommands()
{
    return kOtherKeyCommands;
}

CKeyTable::CKeyTable()
    : m_entries(DefaultEntries())
{
}

void CKeyTable::setDefaults()
{
    m_entries = DefaultEntries();
}

bool CKeyTable::assign(std::vector<KeyEntry> entries)
{
    if (entries.size() > kMaxEntries)
        return false;
    m_entries = std::move(entries);
    return true;
}

const KeyEntry* CKeyTable::find(int virtualKey, int modifiers) const
{
    for (const KeyEntry& entry : m_entries)
        if (entry.nVirtualKey == virtualKey && entry.nModifiers == modifiers)
            return &entry;
    return nullptr;
}

bool IsTextFieldKey(int qtKey, int qtModifiers)
{
    const int mods = qtModifiers & (qtkey::ShiftModifier | qtkey::ControlModifier | qtkey::AltModifier
                                    | qtkey::MetaModifier);
    if (mods & (qtkey::AltModifier | qtkey::MetaModifier))
        return false;
    const bool ctrl = (mods & qtkey::ControlModifier) != 0;
    const bool shift = (mods & qtkey::ShiftModifier) != 0;
    switch (qtKey) {
    case qtkey::Key_Delete:
    case qtkey::Key_Backspace:
    case qtkey::Key_Left:
    case qtkey::Key_Right:
    case qtkey::Key_Up:
    case qtkey::Key_Down:
    case qtkey::Key_Home:
    case qtkey::Key_End: return true;
    case qtkey::Key_Insert: return ctrl || shift;
    case qtkey::Key_A:
    case qtkey::Key_C:
    case qtkey::Key_V:
    case qtkey::Key_X:
    case qtkey::Key_Y: return !ctrl || !shift;
    case qtkey::Key_Z: return true; // Ctrl+Shift+Z redoes too
    default: break;
    }
    // Anything else that types a character.
    return !ctrl && qtKey >= qtkey::Key_Space && qtKey < qtkey::Key_Escape;
}

const KeyEntry* CKeyTable::translate(int qtKey, int qtModifiers) const
{
    const bool ctrl = qtModifiers & qtkey::ControlModifier;
    const bool alt = qtModifiers & qtkey::AltModifier;
    if (m_entries.empty() || (alt && !ctrl))
        return nullptr;
    const int virtualKey = VirtualKeyFromQtKey(qtKey, qtModifiers);
    if (virtualKey == 0)
        return nullptr;
    const int modifiers = (ctrl ? keymod::Ctrl : 0) |
                          ((qtModifiers & qtkey::ShiftModifier) ? keymod::Shift : 0);
    return find(virtualKey, modifiers);
}

std::string CKeyTable::menuKeyName(uint16_t commandId) const
{
    const KeyEntry* best = nullptr;
    for (const KeyEntry& entry : m_entries)
        if (entry.nKind == KeyKind::Menu && entry.nCommandId == commandId &&
            (!best || Preferred(entry, *best)))
            best = &entry;
    return best ? KeyName(*best) : std::string();
}

CKeyTable::AddResult CKeyTable::add(KeyEntry entry)
{
    if (m_entries.size() >= kMaxEntries)
        return AddResult::Full;
    if (find(entry.nVirtualKey, entry.nModifiers))
        return AddResult::AlreadyAssigned;
    m_entries.push_back(std::move(entry));
    return AddResult::Added;
}

bool CKeyTable::remove(size_t index)
{
    if (index >= m_entries.size())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

size_t CKeyTable::removeMissingOperations(const std::function<bool(const std::string&)>& exists)
{
    return std::erase_if(m_entries, [&exists](const KeyEntry& entry) {
        return entry.nKind == KeyKind::Operation && !exists(entry.strOperation);
    });
}
