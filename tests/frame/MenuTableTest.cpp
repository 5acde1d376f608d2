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
CommandContext Everything(bool textMode, bool readOnly = false)
{
    CommandContext c;
    c.hasDocument = true;
    c.textMode = textMode;
    c.readOnly = readOnly;
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
            EXPECT_FALSE(popup.items.front().isSeparator() || popup.items.back().isSeparator()) << popup.text;
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
    const std::vector<uint16_t> ids = IdsOf(MenuBarWithDocument());
    std::set<uint16_t> menu(ids.begin(), ids.end());
    for (const uint16_t id : {cmd::FileRecent1, cmd::HelpContents, cmd::HelpUsing, cmd::AppAbout})
        EXPECT_EQ(menu.erase(id), 1u);
    const auto keyCommands = KeyMenuCommands();
    EXPECT_EQ(std::set<uint16_t>(keyCommands.begin(), keyCommands.end()), menu);
    EXPECT_EQ(CommandNameFromMenuText("コードの切替え(&C)\tCtrl+E"), "コードの切替え");
    EXPECT_EQ(CommandNameFromMenuText("開く(&O)..."), "開く");

    // The default toolbar shows no image twice.
    std::set<int> images;
    for (const uint16_t id : DefaultToolbarButtons())
        EXPECT_TRUE(id == 0 || id == cmd::FindBox || images.insert(ToolbarImageIndex(id)).second) << id;

    // A code number from a hand-edited profile still switches and shows safely.
    EXPECT_EQ(NextCodeType(9), 1);
    EXPECT_STREQ(CodeTypeName(0), "");
}

TEST(CommandRules, ReadOnlyTheTextPaneAndShortListsTakeAwayCommands)
{
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, Everything(false)), (CommandState{true, false}));
    const CommandContext readOnly = Everything(false, true);
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, readOnly), (CommandState{true, true}));
    EXPECT_FALSE(Enabled(cmd::FileSave, readOnly));
    EXPECT_TRUE(Enabled(cmd::FileSaveAs, readOnly));

    CommandContext c = Everything(true);
    c.streamSelection = false;
    for (const uint16_t id : {cmd::FileSave, cmd::FileSaveAs, cmd::EditCut, cmd::EditPaste, cmd::UpperCase})
        EXPECT_FALSE(Enabled(id, c)) << id;
    EXPECT_TRUE(Enabled(cmd::UpperCase, Everything(true)));

    c.favouriteCount = 2;
    c.recentFileCount = 3;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Enabled(cmd::Favourite1 + i, c), i < 2) << i;
        EXPECT_EQ(Enabled(cmd::FileRecent1 + i, c), i < 3) << i;
    }
}

// Every command a user can meet has a rule that enables it somewhere.
TEST(CommandRules, EveryCommandIsEnabledSomewhere)
{
    std::vector<uint16_t> ids = IdsOf(MenuBarWithDocument());
    for (const uint16_t id : IdsOf(MenuBarWithoutDocument()))
        ids.push_back(id);
    const auto buttons = DefaultToolbarButtons();
    ids.insert(ids.end(), buttons.begin(), buttons.end());
    for (const OtherKeyCommand& other : OtherKeyCommands())
        ids.push_back(other.id);
    for (const StatusPane& pane : StatusPanes())
        ids.push_back(pane.id);
    std::erase_if(ids, [](uint16_t id) {
        return id == 0 || id == cmd::FindBox || id == cmd::IndicatorSpare;
    });

    for (const uint16_t id : ids)
        EXPECT_TRUE(Enabled(id, Everything(false)) || Enabled(id, Everything(true)) ||
                    Enabled(id, Everything(false, true))) << id;
    EXPECT_FALSE(Enabled(12345, Everything(false)));
}
