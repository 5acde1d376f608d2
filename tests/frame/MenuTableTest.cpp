#include "frame/KeyTable.h"
#include "frame/MenuTable.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<uint16_t> IdsOf(std::span<const MenuPopup> bar)
{
    std::vector<uint16_t> ids;
    for (const MenuPopup& popup : bar)
        for (const MenuItem& item : popup.items)
            if (!item.isSeparator())
                ids.push_back(item.id);
    return ids;
}

// Everything that can enable something is on, except read-only.
CommandContext Everything(bool textMode)
{
    CommandContext c;
    c.hasDocument = true;
    c.textMode = textMode;
    c.hasSelection = c.streamSelection = c.canUndo = c.canRedo = true;
    c.canPaste = c.compareAvailable = c.overwrite = true;
    c.columnRulerShown = c.lineRulerShown = c.toolBarShown = c.statusBarShown = true;
    c.recentFileCount = c.favouriteCount = 4;
    return c;
}

bool Enabled(uint16_t id, const CommandContext& c)
{
    return CommandRuleState(id, c).enabled;
}

} // namespace

TEST(MenuTable, BarsHoldUniqueCommandsAndTheKeyPageAndToolbarCoverThem)
{
    const auto bare = MenuBarWithoutDocument();
    for (const auto bar : {bare, MenuBarWithDocument()}) {
        const std::vector<uint16_t> ids = IdsOf(bar);
        EXPECT_EQ(std::set<uint16_t>(ids.begin(), ids.end()).size(), ids.size());
        for (const MenuPopup& popup : bar) {
            ASSERT_FALSE(popup.items.empty());
            EXPECT_FALSE(popup.items.front().isSeparator()) << popup.text;
            EXPECT_FALSE(popup.items.back().isSeparator()) << popup.text;
            for (const MenuItem& item : popup.items)
                EXPECT_EQ(item.text == nullptr, item.isSeparator());
        }
    }
    // The bar without a document repeats items of the other one, with the same texts.
    for (const MenuPopup& popup : bare)
        for (const MenuItem& item : popup.items)
            if (!item.isSeparator()) {
                EXPECT_STREQ(item.text, MenuTextOf(item.id));
            }

    // The keyboard page lists every menu command but the recent list and help.
    std::set<uint16_t> menu;
    for (const uint16_t id : IdsOf(MenuBarWithDocument()))
        menu.insert(id);
    for (const uint16_t id : {cmd::FileRecent1, cmd::HelpContents, cmd::HelpUsing, cmd::AppAbout})
        EXPECT_EQ(menu.erase(id), 1u);
    const auto keyCommands = KeyMenuCommands();
    EXPECT_EQ(std::set<uint16_t>(keyCommands.begin(), keyCommands.end()), menu);
    EXPECT_EQ(CommandNameFromMenuText("コードの切替え(&C)\tCtrl+E"), "コードの切替え");
    EXPECT_EQ(CommandNameFromMenuText("開く(&O)..."), "開く");
    EXPECT_EQ(CommandNameFromMenuText("A(B)\tC"), "A(B)");

    // The default toolbar shows no image twice.
    std::set<int> images;
    for (const uint16_t id : DefaultToolbarButtons())
        if (id != 0 && id != cmd::FindBox) {
            EXPECT_TRUE(images.insert(ToolbarImageIndex(id)).second) << id;
        }

    // A code number from a hand-edited profile still switches and shows safely.
    EXPECT_EQ(NextCodeType(9), 1);
    EXPECT_STREQ(CodeTypeName(0), "");
}

TEST(CommandRules, ReadOnlyAndTheTextPaneTakeAwayWhatWouldChangeTheFile)
{
    CommandContext c = Everything(false);
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, c), (CommandState{true, false}));
    c.readOnly = true;
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, c), (CommandState{true, true}));
    EXPECT_FALSE(Enabled(cmd::FileSave, c));
    EXPECT_TRUE(Enabled(cmd::FileSaveAs, c));

    c = Everything(true);
    c.streamSelection = false;
    for (const uint16_t id : {cmd::FileSave, cmd::FileSaveAs, cmd::EditCut, cmd::EditPaste, cmd::UpperCase})
        EXPECT_FALSE(Enabled(id, c)) << id;
    c.streamSelection = true;
    EXPECT_TRUE(Enabled(cmd::UpperCase, c));
}

TEST(CommandRules, ListEntriesNeedThatManyEntries)
{
    CommandContext c;
    c.favouriteCount = 2;
    c.recentFileCount = 3;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Enabled(cmd::Favourite1 + i, c), i < 2) << i;
        EXPECT_EQ(Enabled(cmd::FileRecent1 + i, c), i < 3) << i;
    }
}

TEST(CommandRules, CommandsOfUnbuiltFeaturesAreDisabled)
{
    std::set<uint16_t> ids;
    for (const auto bar : {MenuBarWithoutDocument(), MenuBarWithDocument()})
        for (const uint16_t id : IdsOf(bar))
            ids.insert(id);
    for (const uint16_t id : DefaultToolbarButtons())
        if (id != 0 && id != cmd::FindBox)
            ids.insert(id);
    for (const OtherKeyCommand& other : OtherKeyCommands())
        ids.insert(other.id);
    for (const StatusPane& pane : StatusPanes())
        if (pane.id != 0 && pane.id != cmd::IndicatorSpare)
            ids.insert(pane.id);

    for (const bool textMode : {false, true}) {
        const CommandContext c = Everything(textMode);
        for (const uint16_t id : ids) {
            const CommandState expected = IsCommandBuilt(id) ? CommandRuleState(id, c) : CommandState{};
            EXPECT_EQ(QueryCommandState(id, c), expected) << id;
        }
    }
    // Every command that can be met has a rule that enables it somewhere.
    CommandContext readOnly = Everything(false);
    readOnly.readOnly = true;
    for (const uint16_t id : ids)
        EXPECT_TRUE(Enabled(id, Everything(false)) || Enabled(id, Everything(true)) ||
                    Enabled(id, readOnly)) << id;
    EXPECT_FALSE(Enabled(12345, Everything(false)));
    EXPECT_FALSE(IsCommandBuilt(12345));
}
