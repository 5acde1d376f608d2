#include "frame/TabTitle.h"

#include "app/Settings.h"

#include <gtest/gtest.h>

TEST(TabTitle, TabsShowNumberedFileNamesAndTheModifiedImage)
{
    CSettings settings;
    settings.LongTitle = 1;
    settings.AddDocNumber = 1;
    settings.EnableTabBarImage = 1;
    settings.TabBarImageNo = 2;
    const TabDocument documents[] = {
        {"/home/u/data/a.bin", true, false},
        {"無題", false, false},
        {"Table", true, true},
        {"/home/u/other/a.bin", false, false},
    };
    const std::vector<TabItem> tabs = BuildTabItems(documents, settings);
    ASSERT_EQ(tabs.size(), 4u);
    EXPECT_EQ(tabs[0].text, "1. a.bin");
    EXPECT_EQ(tabs[1].text, "2. 無題");
    EXPECT_EQ(tabs[2].text, "3. 相違");
    EXPECT_EQ(tabs[3].text, "4. a.bin");
    EXPECT_EQ(tabs[0].image, 2);
    EXPECT_EQ(tabs[1].image, -1);
    EXPECT_EQ(tabs[2].image, 2);

    settings.AddDocNumber = 0;
    settings.LongTitle = 0;
    settings.EnableTabBarImage = 0;
    const std::vector<TabItem> plain = BuildTabItems(documents, settings);
    EXPECT_EQ(plain[0].text, "/home/u/data/a.bin");   // without LongTitle the title is taken whole
    EXPECT_EQ(plain[2].text, "相違");
    EXPECT_EQ(plain[0].image, -1);
}

TEST(TabTitle, OnlyTheFirstHundredDocumentsGetTabs)
{
    CSettings settings;
    settings.AddDocNumber = 1;
    std::vector<TabDocument> documents(101);
    for (size_t i = 0; i < documents.size(); ++i)
        documents[i].title = "same.bin";
    const std::vector<TabItem> tabs = BuildTabItems(documents, settings);
    ASSERT_EQ(tabs.size(), kMaxTabs);
    EXPECT_EQ(tabs[11].text, "12. same.bin");
    EXPECT_EQ(tabs[99].text, "100. same.bin");
    EXPECT_TRUE(BuildTabItems({}, settings).empty());
}

TEST(TabTitle, DocumentTitleIsThePathWithLongTitle)
{
    EXPECT_EQ(DocumentTitle("/srv/x/dump.bin", "dump.bin", true), "/srv/x/dump.bin");
    EXPECT_EQ(DocumentTitle("/srv/x/dump.bin", "old", false), "dump.bin");
    EXPECT_EQ(DocumentTitle("", "無題", true), "無題");
}
