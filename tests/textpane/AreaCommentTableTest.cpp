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

using Entries = std::vector<uint32_t>;

// The entries an edit leaves when it only moves them.
Entries Moved(std::span<const uint32_t> entries, uint32_t at, uint32_t removed, uint32_t inserted)
{
    Entries out;
    for (uint32_t e : entries)
        if (e < at || e >= at + removed)
            out.push_back(e < at ? e : e - removed + inserted);
    return out;
}

TEST(AreaCommentTable, EditsKeepTheTablesAsARebuildMakesThemAndSayWhenTheyChanged)
{
    CRecordingSink sink;
    std::mt19937 rng(4711);
    const std::string pieces[] = {"/", "*", "/*", "*/", "//", "\r", "\n", "\r\n", "a", " "};
    auto random = [&](int count) {
        std::string s;
        while (count-- > 0)
            s += pieces[rng() % std::size(pieces)];
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        std::string text = random(int(rng() % 60));
        CAreaCommentTable table;
        table.Rebuild(Bytes(text));
        for (int edit = 0; edit < 60; ++edit) {
            const auto at = uint32_t(rng() % (text.size() + 1));
            const Entries open(table.Openers().begin(), table.Openers().end());
            const Entries close(table.Closers().begin(), table.Closers().end());
            uint32_t removed = 0, inserted = 0;
            bool touched = false;
            if (rng() % 2 || text.empty()) {
                const std::string piece = random(1 + int(rng() % 4));
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
            const Entries wantOpen(fresh.Openers().begin(), fresh.Openers().end());
            const Entries wantClose(fresh.Closers().begin(), fresh.Closers().end());
            ASSERT_EQ(Entries(table.Openers().begin(), table.Openers().end()), wantOpen) << text;
            ASSERT_EQ(Entries(table.Closers().begin(), table.Closers().end()), wantClose) << text;
            if (Moved(open, at, removed, inserted) != wantOpen || Moved(close, at, removed, inserted) != wantClose) {
                ASSERT_TRUE(touched) << text << " at " << at;
            }
        }
    }
    EXPECT_TRUE(sink.texts.empty());
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
    EXPECT_EQ(table.Closers().size(), CAreaCommentTable::kCapacity);
    EXPECT_EQ(table.Openers().back(), 5 * (CAreaCommentTable::kCapacity - 1));
    text.insert(0, "/*");
    EXPECT_TRUE(table.Inserted(Bytes(text), 0, 2));
    EXPECT_EQ(sink.texts.size(), 2u);
    EXPECT_EQ(table.Openers().size(), CAreaCommentTable::kCapacity);
}

} // namespace
