#include "frame/KeyAssignment.h"
#include "frame/KeyFile.h"
#include "frame/KeyFileFormat.h"
#include "frame/MenuTable.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FieldBytes.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// One entry of the current layout, field by field.
FieldBytes& Entry(FieldBytes& f, uint32_t key, uint32_t kind, uint32_t modifiers, uint32_t id,
                  const std::string& operation = {})
{
    return f.u8(key).fixed({}, 3).u32(kind).u8(modifiers).u8(0).u16(id).fixed(operation, kKeyOperationBytes);
}

// A current-layout file of `count` copies of one entry; the fields are the caller's to spoil.
FieldBytes CurrentFile(size_t count, uint32_t kind = 1, uint32_t modifiers = 1)
{
    FieldBytes f;
    f.u32(0).u32(static_cast<uint32_t>(count)).u32(kKeyFileVersion);
    for (size_t i = 0; i < count; ++i)
        Entry(f, 'A', kind, modifiers, cmd::FileNew);
    return f;
}

// One entry of the older layout.
FieldBytes& OldEntry(FieldBytes& f, uint32_t key, uint32_t kind, uint32_t modifiers, uint32_t id,
                     const std::string& operation = {})
{
    return f.u8(key).u8(0).u16(kind).u8(modifiers).u8(0).u16(id).fixed(operation, 10);
}

FieldBytes OldFile(size_t count, uint32_t kind = 3)
{
    FieldBytes f;
    f.u16(0).u16(static_cast<uint32_t>(count)).u16(1540);
    for (size_t i = 0; i < count; ++i)
        OldEntry(f, 0x72, kind, 2, cmd::FindNext);
    return f;
}

} // namespace

TEST(KeyFile, RandomTablesWriteAndReadBackTheSame)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        std::vector<KeyEntry> entries(1 + random() % CKeyTable::kMaxEntries);
        for (KeyEntry& e : entries) {
            e.nVirtualKey = static_cast<uint8_t>(random());
            e.nKind = static_cast<KeyKind>(1 + random() % 3);
            e.nModifiers = static_cast<uint8_t>(random() % 4);
            if (e.nKind == KeyKind::Operation)
                e.strOperation = std::string(random() % kKeyOperationBytes, static_cast<char>('a' + random() % 26));
            else
                e.nCommandId = static_cast<uint16_t>(random());
        }
        const std::string bytes = EncodeKeyFile(entries);
        ASSERT_EQ(bytes.size(), kKeyHeaderBytes + kKeyEntryBytes * entries.size());
        ASSERT_EQ(DecodeKeyFile(bytes), entries) << "round " << round;
    }
}

TEST(KeyFile, BothLayoutsReadFieldByField)
{
    FieldBytes current;
    current.u32(0).u32(3).u32(200);
    Entry(current, 'C', 1, 3, cmd::ScreenCopy);
    Entry(current, 0x74, 2, 0, 0, "macro one");
    Entry(current, 'N', 3, 1, cmd::FindNext);
    const std::vector<KeyEntry> expected = {
        {'C', KeyKind::Menu, keymod::CtrlShift, cmd::ScreenCopy, {}},
        {0x74, KeyKind::Operation, keymod::None, 0, "macro one"},
        {'N', KeyKind::Other, keymod::Ctrl, cmd::FindNext, {}},
    };
    EXPECT_EQ(DecodeKeyFile(current.sized()), expected);
    EXPECT_EQ(EncodeKeyFile(expected), current.sized());

    // The older layout: an operation name of at most nine bytes.
    FieldBytes old;
    old.u16(0).u16(3).u16(1540);
    OldEntry(old, 'C', 1, 3, cmd::ScreenCopy);
    OldEntry(old, 0x74, 2, 0, 0, "macro one");
    OldEntry(old, 'N', 3, 1, cmd::FindNext);
    EXPECT_EQ(DecodeKeyFile(old.sized(2)), expected);
}

TEST(KeyFile, EveryRuleOfBothLayoutsRefusesTheWholeFile)
{
    const auto withByte = [](std::string bytes, size_t at, char value) {
        bytes[at] = value;
        return bytes;
    };
    const std::string one = CurrentFile(1).sized();
    const std::string full = CurrentFile(CKeyTable::kMaxEntries).sized();
    FieldBytes remainder = CurrentFile(1);
    remainder.u8(0);
    FieldBytes oldRemainder = OldFile(1);
    oldRemainder.u8(0);
    const struct
    {
        const char* what;
        std::string bytes;
        bool accepted;
    } cases[] = {
        {"header only", CurrentFile(0).sized(), false},
        {"exactly one entry", one, true},
        {"a full table", full, true},
        {"one entry more than the table holds", CurrentFile(CKeyTable::kMaxEntries + 1).sized(), false},
        {"kind 0", CurrentFile(1, 0).sized(), false},
        {"kind 4", CurrentFile(1, 4).sized(), false},
        {"modifiers 4", CurrentFile(1, 1, 4).sized(), false},
        {"size field one short", withByte(one, 0, static_cast<char>(one.size() - 1)), false},
        {"count field wrong", withByte(one, 4, 2), false},
        {"version 199", withByte(one, 8, static_cast<char>(199)), false},
        {"a byte past the last entry", remainder.sized(), false},
        {"older layout, one entry", OldFile(1).sized(2), true},
        {"older layout, header only", OldFile(0).sized(2), false},
        {"older layout, bad kind", OldFile(1, 4).sized(2), false},
        {"older layout, a byte past the last entry", oldRemainder.sized(2), false},
        {"older layout, size field wrong", withByte(OldFile(1).sized(2), 0, 25), false},
        {"older layout, more than the table holds", OldFile(CKeyTable::kMaxEntries + 1).sized(2), false},
        {"empty", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeKeyFile(c.bytes).has_value(), c.accepted) << c.what;
}

TEST(KeyFile, MissingIsSilentInvalidKeepsTheDefaultsAndFailuresAreTold)
{
    CScopedTempDir dir;
    CRecordingSink sink;
    CKeyTable table;
    ASSERT_TRUE(table.add({0x74, KeyKind::Menu, keymod::Shift, cmd::FileNew, {}}) == CKeyTable::AddResult::Added);
    EXPECT_FALSE(ReadKeyFile(dir / "vexel.key", table));
    EXPECT_TRUE(sink.texts.empty());

    ASSERT_TRUE(WriteKeyFile(dir / "vexel.key", table));
    CKeyTable read;
    ASSERT_TRUE(read.assign({}));
    EXPECT_TRUE(ReadKeyFile(dir / "vexel.key", read));
    EXPECT_EQ(read.entries(), table.entries());

    WriteFile(dir / "bad.key", CurrentFile(0).sized());
    CKeyTable defaults;
    EXPECT_FALSE(ReadKeyFile(dir / "bad.key", defaults));
    EXPECT_EQ(defaults.entries(), CKeyTable().entries());
    EXPECT_EQ(sink.texts, std::vector<std::string>{"キー定義ファイルの内容が不正です。読み込めません。"});

    // An empty table leaves no file: the next start has the defaults and no complaint.
    CKeyTable empty;
    ASSERT_TRUE(empty.assign({}));
    ASSERT_TRUE(WriteKeyFile(dir / "vexel.key", empty));
    EXPECT_FALSE(ReadKeyFile(dir / "vexel.key", defaults));
    EXPECT_EQ(sink.texts.size(), 1u);

    WriteFile(dir / "file", "x");
    EXPECT_FALSE(WriteKeyFile((dir / "file") + "/vexel.key", table));
    EXPECT_EQ(sink.texts.back(), "キー定義ファイルへの書き込みでエラーが発生しました。保存できません。");
}

TEST(KeyAssignment, TheKeyboardPageTakesOnlyNamedKeysAndNoTypingKeys)
{
    using R = NewKeyCheck::Result;
    const struct
    {
        const char* text;
        uint8_t modifiers;
        R result;
    } cases[] = {
        {"F12", keymod::None, R::Ok},     {"A", keymod::CtrlShift, R::Ok},  {"7", keymod::Shift, R::Refused},
        {"Insert", keymod::Shift, R::Ok}, {"Delete", keymod::None, R::Refused}, {"F1", keymod::Ctrl, R::BadText},
        {"f5", keymod::Ctrl, R::BadText}, {"F5 ", keymod::Ctrl, R::BadText}, {"", keymod::Ctrl, R::BadText},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckNewKey(c.text, c.modifiers).result, c.result) << c.text << " " << int(c.modifiers);
    EXPECT_EQ(CheckNewKey("F5", keymod::Shift).virtualKey, 0x74);
}
