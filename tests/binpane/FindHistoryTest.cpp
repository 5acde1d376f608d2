// The text histories: newest first, no repeats, so many entries of so many characters.
#include "binpane/FindHistory.h"
#include "binpane/TemplateHistory.h"
#include "support/CRecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(FindHistory, KeepsTwentyEntriesLikeAPlainList)
{
    // A list with the rule written out, fed the same random texts; compared
    // exactly, so "t1" and "T1" are two entries.
    std::mt19937 rng(3);
    CFindHistory h;
    std::vector<std::string> model;
    for (int i = 0; i < 2'000; ++i) {
        const std::string text = (rng() % 2 ? "t" : "T") + std::to_string(rng() % 20);
        h.add(text);
        std::erase(model, text);
        model.insert(model.begin(), text);
        if (model.size() > 20)
            model.pop_back();
        ASSERT_EQ(h.entries(), model);
    }
}

TEST(FindHistory, TextsTheDataFileCannotHoldAreNotKept)
{
    CFindHistory h;
    EXPECT_TRUE(h.add(std::string(80, 'a')));
    EXPECT_FALSE(h.add(std::string(81, 'b')));
    EXPECT_FALSE(h.add(""));
    EXPECT_EQ(h.size(), 1u);

    EXPECT_FALSE(h.assign(std::vector<std::string>(21, "x")));
    EXPECT_FALSE(h.assign({"ok", std::string(81, 'c')}));
    EXPECT_EQ(h.size(), 1u);
    EXPECT_TRUE(h.assign(std::vector<std::string>(20, "x")));
    EXPECT_EQ(h.size(), 20u);
}

TEST(FindHistory, TemplateNamesKeepThirtyOfAPathsLengthAndTellWhatIsRefused)
{
    CRecordingSink sink;
    CFindHistory h(kMaxTemplateHistory, kMaxTemplateNameChars);
    EXPECT_FALSE(AcceptTemplateName("", h));
    EXPECT_EQ(sink.beeps.size(), 1u);
    EXPECT_FALSE(AcceptTemplateName(std::string(261, 'p'), h));
    EXPECT_EQ(sink.texts, std::vector<std::string> { "パス名（ファイル名）が不正です。" });
    EXPECT_TRUE(h.empty());

    EXPECT_TRUE(AcceptTemplateName(std::string(260, 'p'), h));
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(AcceptTemplateName("t" + std::to_string(i % 35), h));
    EXPECT_EQ(h.size(), 30u);
    EXPECT_EQ(h.entries().front(), "t4");
    EXPECT_EQ(h.entries().back(), "t10");
    EXPECT_EQ(g_templateHistory.maxEntries(), 30u);
    EXPECT_EQ(g_templateHistory.maxChars(), 260u);
}
