#include "frame/TabTitle.h"

#include "app/Settings.h"

#include <gtest/gtest.h>

// Numbering, file names and the modified image are the main window's test;
// here what it never meets: a compare table, long titles kept whole, the cap.
TEST(TabTitle, TablesShowTheirNameAndOnlyTheFirstHundredDocumentsGetTabs)
{
    CSettings settings;
    settings.AddDocNumber = 1;
    std::vector<TabDocument> documents(101, TabDocument{"/home/u/a.bin", false, false});
    documents[1] = {"Table", true, true};
    const std::vector<TabItem> tabs = BuildTabItems(documents, settings);
    ASSERT_EQ(tabs.size(), kMaxTabs);
    EXPECT_EQ(tabs[1].text, "2. 相違");
    EXPECT_EQ(tabs[99].text, "100. a.bin");
    EXPECT_TRUE(BuildTabItems({}, settings).empty());

    settings.AddDocNumber = 0;
    settings.LongTitle = 0;
    EXPECT_EQ(BuildTabItems(documents, settings)[0].text, "/home/u/a.bin");
    EXPECT_EQ(DocumentTitle("/srv/x/dump.bin", "old", false), "dump.bin");
    EXPECT_EQ(DocumentTitle("", "無題", true), "無題");
}
