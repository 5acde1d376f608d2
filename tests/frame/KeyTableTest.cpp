#include "frame/KeyTable.h"
#include "frame/MenuTable.h"
#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

constexpr int kCtrl = qtkey::ControlModifier;
constexpr int kShift = qtkey::ShiftModifier;
constexpr int kAlt = qtkey::AltModifier;
constexpr int kF3 = qtkey::Key_F1 + 2;

int Translated(const CKeyTable& table, int qtKey, int qtModifiers)
{
    const KeyEntry* entry = table.translate(qtKey, qtModifiers);
    return entry ? entry->nCommandId : 0;
}

} // namespace

TEST(KeyTable, KeyNamesAndQtKeysReadBackAndRefuseTheRest)
{
    const auto keys = AssignableKeys();
    std::set<std::string> names;
    for (const AssignableKey& key : keys) {
        EXPECT_TRUE(names.insert(key.name).second) << key.name;
        EXPECT_EQ(AssignableKeyFromName(key.name), key.virtualKey);
        EXPECT_EQ(KeyName(key.virtualKey, keymod::None), key.name);
    }
    for (const char* refused : {"F1", "a", "Ctrl+A", "Insert ", "F13", ""})
        EXPECT_FALSE(AssignableKeyFromName(refused).has_value()) << refused;
    EXPECT_EQ(KeyName('C', keymod::CtrlShift), "Ctrl+Shift+C");

    for (int code = 0; code < 256; ++code) {
        const bool keypad = code >= vk::Numpad0 && code <= vk::Numpad0 + 9;
        if (const int qtKey = QtKeyFromVirtualKey(code)) {
            EXPECT_EQ(VirtualKeyFromQtKey(qtKey, keypad ? qtkey::KeypadModifier : 0), code) << code;
        }
    }
    EXPECT_EQ(VirtualKeyFromQtKey('c'), 'C');
    EXPECT_EQ(VirtualKeyFromQtKey(qtkey::Key_Enter), vk::Return);
    EXPECT_EQ(VirtualKeyFromQtKey(qtkey::Key_Insert, qtkey::KeypadModifier), vk::Insert);
    EXPECT_EQ(VirtualKeyFromQtKey('!'), 0);
}

// Modifiers must match exactly, but Alt is not examined when Ctrl is held,
// and keypad Insert is Insert.
TEST(KeyTable, DefaultBindingsTranslateWithExactModifiers)
{
    const CKeyTable table;
    const int presses[][3] = {
        {'C', kCtrl, cmd::EditCopy},
        {'C', kCtrl | kShift, cmd::ScreenCopy},
        {'C', kCtrl | kAlt, cmd::EditCopy},
        {kF3, 0, cmd::MarkNext},
        {qtkey::Key_Insert, kShift | qtkey::KeypadModifier, cmd::EditPaste},
        {'C', 0, 0}, {'C', kShift, 0}, {'C', kAlt, 0}, {kF3, kCtrl | kShift, 0},
        {kF3, kAlt, 0}, {qtkey::Key_Delete, 0, 0}, {'!', kCtrl, 0},
    };
    for (const auto& [key, modifiers, command] : presses)
        EXPECT_EQ(Translated(table, key, modifiers), command) << key << " " << modifiers;
    EXPECT_EQ(table.translate('F', kCtrl)->nKind, KeyKind::Other);
    EXPECT_EQ(table.translate('S', kCtrl)->nKind, KeyKind::Menu);
}

// Against a plain model: the menu shows the Menu key of fewest modifiers,
// then of the highest key code.
TEST(KeyTable, MenuKeyNamesFollowThePreferenceRule)
{
    EXPECT_EQ(MenuTextWithKey("コピー(&C)", "Ctrl+C"), "コピー(&C)\tCtrl+C");
    EXPECT_EQ(MenuTextWithKey("コピー(&C)\tCtrl+C", "Ctrl+Insert"), "コピー(&C)\tCtrl+Insert");
    EXPECT_EQ(MenuTextWithKey("コピー(&C)\tCtrl+C", ""), "コピー(&C)");

    CKeyTable table;
    std::mt19937 random(7);
    const auto keys = AssignableKeys();
    for (int round = 0; round < 300; ++round) {
        std::vector<KeyEntry> entries(1 + random() % 12);
        const KeyEntry* best = nullptr;
        for (KeyEntry& e : entries) {
            e = {static_cast<uint8_t>(keys[random() % keys.size()].virtualKey),
                 random() % 4 ? KeyKind::Menu : KeyKind::Other, static_cast<uint8_t>(random() % 4),
                 static_cast<uint16_t>(random() % 2 ? cmd::EditCopy : cmd::EditPaste), {}};
            if (e.nKind == KeyKind::Menu && e.nCommandId == cmd::EditCopy &&
                (!best || std::pair(e.nModifiers, -e.nVirtualKey) <
                              std::pair(best->nModifiers, -best->nVirtualKey)))
                best = &e;
        }
        ASSERT_TRUE(table.assign(entries));
        EXPECT_EQ(table.menuKeyName(cmd::EditCopy), best ? KeyName(*best) : "");
    }
}

TEST(KeyTable, AddRefusesTakenKeysAndAFullTable)
{
    CKeyTable table;
    // Ctrl+C belongs to copy; it cannot go to another command, nor to an operation.
    using enum CKeyTable::AddResult;
    EXPECT_EQ(table.add({'C', KeyKind::Menu, keymod::Ctrl, cmd::FileNew, {}}), AlreadyAssigned);
    EXPECT_EQ(table.add({'C', KeyKind::Operation, keymod::Ctrl, 0, "macro"}), AlreadyAssigned);
    EXPECT_EQ(table.add({vk::F1 + 4, KeyKind::Menu, keymod::Shift, cmd::FileNew, {}}), Added);
    EXPECT_EQ(Translated(table, qtkey::Key_F1 + 4, kShift), cmd::FileNew);

    for (int key = 0x80; table.entries().size() < CKeyTable::kMaxEntries; ++key)
        ASSERT_EQ(table.add({uint8_t(key), KeyKind::Menu, keymod::CtrlShift, cmd::FileOpen, {}}),
                  Added);
    EXPECT_EQ(table.add({'Q', KeyKind::Menu, keymod::None, cmd::FileOpen, {}}), Full);

    // Removing moves the later entries up.
    const KeyEntry second = table.entries()[2];
    ASSERT_TRUE(table.remove(1));
    EXPECT_EQ(table.entries()[1], second);
    EXPECT_EQ(table.translate('C', kCtrl), nullptr);
    EXPECT_FALSE(table.remove(table.entries().size()));

    table.setDefaults();
    EXPECT_EQ(table.entries(), CKeyTable().entries());
    EXPECT_FALSE(table.assign(std::vector<KeyEntry>(CKeyTable::kMaxEntries + 1)));
    EXPECT_EQ(table.entries(), CKeyTable().entries());
}
