#include "doc/AreaCommentTable.h"
#include "support/CRecordingSink.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::span<const uint8_t> Bytes(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::vector<uint32_t> Vec(std::span<const uint32_t> s)
{
    return {s.begin(), s.end()};
}

// The entries an edit would leave if it only moved them.
std::vector<uint32_t> Moved(std::span<const uint32_t> entries, uint32_t at, uint32_t removed, uint32_t inserted)
{
    std::vector<uint32_t> out;
    for (uint32_t e : entries) {
        if (e >= at && e < at + removed)
            continue;
        out.push_back(e < at ? e : e - removed + inserted);
    }
    return out;
}

TEST(AreaCommentTable, EditsKeepTheTablesAsARebuildWouldMakeThem)
{
    CRecordingSink sink;
    std::mt19937 rng(4711);
    const std::string pieces[] = {"/", "*", "/*", "*/", "//", "\r", "\n", "\r\n", "a", " "};
    auto randomText = [&](int pieceCount) {
        std::string s;
        for (int i = 0; i < pieceCount; ++i)
            s += pieces[rng() % std::size(pieces)];
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        std::string text = randomText(int(rng() % 60));
        CAreaCommentTable table;
        table.Rebuild(Bytes(text));
        for (int edit = 0; edit < 60; ++edit) {
            const auto at = uint32_t(rng() % (text.size() + 1));
            uint32_t removed = 0, inserted = 0;
            bool touched = false;
            const auto oldOpen = Vec(table.Openers()), oldClose = Vec(table.Closers());
            if (rng() % 2 || text.empty()) {
                const std::string piece = randomText(1 + int(rng() % 4));
                text.insert(at, piece);
                inserted = uint32_t(piece.size());
                touched = table.Inserted(Bytes(text), at, inserted);
            } else {
                removed = std::min<uint32_t>(1 + rng() % 6, uint32_t(text.size() - at));
                text.erase(at, removed);
                touched = table.Deleted(Bytes(text), at, removed);
            }
            CAreaCommentTable fresh;
            fresh.Rebuild(Bytes(text));
            ASSERT_EQ(Vec(table.Openers()), Vec(fresh.Openers())) << text;
            ASSERT_EQ(Vec(table.Closers()), Vec(fresh.Closers())) << text;
            if (Moved(oldOpen, at, removed, inserted) != Vec(fresh.Openers())
                || Moved(oldClose, at, removed, inserted) != Vec(fresh.Closers()))
                ASSERT_TRUE(touched) << text << " at " << at;
        }
    }
    EXPECT_TRUE(sink.texts.empty());
}

TEST(AreaCommentTable, OpenersAfterALineCommentAreLeftOutUntilTheLineEnds)
{
    const std::string text = "a // b /* c */\r\n/* d */ //*";
    CAreaCommentTable table;
    table.Rebuild(Bytes(text));
    EXPECT_EQ(Vec(table.Openers()), (std::vector<uint32_t>{16}));
    EXPECT_EQ(Vec(table.Closers()), (std::vector<uint32_t>{12, 21}));
    // Breaking the line comment lets its opener count; making a line break
    // in front of it too.
    std::string edited = text;
    edited.erase(3, 1);
    EXPECT_TRUE(table.Deleted(Bytes(edited), 3, 1));
    EXPECT_EQ(Vec(table.Openers()), (std::vector<uint32_t>{6, 15}));
    // An edit far from any delimiter leaves everything where it was.
    CAreaCommentTable plain;
    const std::string quiet = "x\r\ny /* z */";
    plain.Rebuild(Bytes(quiet));
    EXPECT_FALSE(plain.Inserted(Bytes("xq\r\ny /* z */"), 1, 1));
    EXPECT_EQ(Vec(plain.Openers()), (std::vector<uint32_t>{6}));
}

TEST(AreaCommentTable, MoreDelimitersThanTheTableHoldsAreReportedAndNotRecorded)
{
    CRecordingSink sink;
    std::string text;
    for (size_t i = 0; i <= CAreaCommentTable::kCapacity; ++i)
        text += "/**/ ";
    CAreaCommentTable table;
    table.Rebuild(Bytes(text));
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_NE(sink.texts[0].find("許容最大数"), std::string::npos);
    EXPECT_EQ(table.Openers().size(), CAreaCommentTable::kCapacity);
    EXPECT_EQ(table.Closers().size(), CAreaCommentTable::kCapacity);
    EXPECT_EQ(table.Openers().back(), 5 * (CAreaCommentTable::kCapacity - 1));
    text.insert(0, "/*");
    EXPECT_TRUE(table.Inserted(Bytes(text), 0, 2));
    EXPECT_EQ(sink.texts.size(), 2u);
    EXPECT_EQ(table.Openers().size(), CAreaCommentTable::kCapacity);
}

} // namespace
