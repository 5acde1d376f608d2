#include "frame/KeyTable.h"
#include "frame/MenuTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
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

std::vector<size_t> SeparatorPositions(const MenuPopup& popup)
{
    std::vector<size_t> positions;
    for (size_t i = 0; i < popup.items.size(); ++i)
        if (popup.items[i].isSeparator())
            positions.push_back(i);
    return positions;
}

CommandContext BinaryDocument()
{
    CommandContext c;
    c.hasDocument = true;
    return c;
}

CommandContext TextDocument()
{
    CommandContext c = BinaryDocument();
    c.textMode = true;
    return c;
}

// Everything that can enable something is on, except read-only.
CommandContext Everything(bool textMode)
{
    CommandContext c = textMode ? TextDocument() : BinaryDocument();
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

TEST(MenuTable, BarsHoldTheTabledMenusWithUniqueCommands)
{
    const auto bare = MenuBarWithoutDocument();
    const auto full = MenuBarWithDocument();
    std::vector<std::string> titles;
    for (const MenuPopup& popup : full)
        titles.push_back(popup.text);
    EXPECT_EQ(titles, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "表示(&V)",
                                                "オプション(&O)", "ウィンドウ(&W)", "ヘルプ(&H)"}));
    ASSERT_EQ(bare.size(), 3u);
    EXPECT_STREQ(bare[1].text, "オプション(&O)");

    for (const auto bar : {bare, full}) {
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

    EXPECT_EQ(SeparatorPositions(full[0]), (std::vector<size_t>{3, 6, 11, 13}));
    EXPECT_EQ(SeparatorPositions(full[1]), (std::vector<size_t>{2, 7, 12, 14}));
    EXPECT_EQ(SeparatorPositions(full[2]), (std::vector<size_t>{1, 6}));
    EXPECT_EQ(SeparatorPositions(bare[0]), (std::vector<size_t>{2, 4}));
    EXPECT_EQ(SeparatorPositions(full[5]), (std::vector<size_t>{2}));

    EXPECT_STREQ(MenuTextOf(cmd::FileSaveAs), "名前を付けて保存(&A)...");
    EXPECT_STREQ(MenuTextOf(cmd::ScreenCopy), "画面コピー(&I)");
    EXPECT_STREQ(MenuTextOf(cmd::MarkToggle), "マークの設定/解除(&W)");
    EXPECT_STREQ(MenuTextOf(cmd::WindowArrange), "アイコンの整列(&A)");
    EXPECT_STREQ(MenuTextOf(cmd::FileRecent1), "以前開いたファイル");
    EXPECT_EQ(full[4].items[1].id, cmd::WindowCascade);
    EXPECT_EQ(MenuTextOf(cmd::FindNext), nullptr);
    EXPECT_STREQ(CommandPromptOf(cmd::FindInput), "検索文字列を入力\n検索");
}

TEST(MenuTable, KeyboardPageListsEveryMenuCommandButTheListAndHelp)
{
    std::set<uint16_t> menu;
    for (const uint16_t id : IdsOf(MenuBarWithDocument()))
        menu.insert(id);
    for (const uint16_t id : {cmd::FileRecent1, cmd::HelpContents, cmd::HelpUsing, cmd::AppAbout})
        EXPECT_EQ(menu.erase(id), 1u);
    const auto keyCommands = KeyMenuCommands();
    EXPECT_EQ(keyCommands.size(), 35u);
    EXPECT_EQ(std::set<uint16_t>(keyCommands.begin(), keyCommands.end()), menu);

    EXPECT_EQ(CommandNameFromMenuText("コードの切替え(&C)\tCtrl+E"), "コードの切替え");
    EXPECT_EQ(CommandNameFromMenuText("開く(&O)..."), "開く");
    EXPECT_EQ(CommandNameFromMenuText("以前開いたファイル"), "以前開いたファイル");
    EXPECT_EQ(CommandNameFromMenuText("A(B)\tC"), "A(B)");
}

TEST(MenuTable, ToolbarAndStatusPanes)
{
    const auto buttons = DefaultToolbarButtons();
    ASSERT_EQ(buttons.size(), 24u);
    EXPECT_EQ(std::count(buttons.begin(), buttons.end(), 0), 7);
    EXPECT_EQ(std::count(buttons.begin(), buttons.end(), cmd::FindBox), 1);
    // The default list shows every image of the bitmap exactly once.
    std::set<int> images;
    for (const uint16_t id : buttons)
        if (id != 0 && id != cmd::FindBox) {
            EXPECT_TRUE(images.insert(ToolbarImageIndex(id)).second) << id;
        }
    EXPECT_EQ(images, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(ToolbarImageIndex(cmd::FindBoxNext), 9);
    EXPECT_EQ(ToolbarImageIndex(cmd::FileClose), -1);

    const auto panes = StatusPanes();
    ASSERT_EQ(panes.size(), 8u);
    EXPECT_EQ(panes[0].id, 0);
    EXPECT_EQ(panes[0].sizingText, nullptr);
    EXPECT_EQ(panes[1].id, cmd::IndicatorOffsetHex);
    EXPECT_STREQ(panes[1].sizingText, "0xXXXXXXXX");
    EXPECT_EQ(panes[3].id, cmd::IndicatorByte);
    EXPECT_STREQ(panes[5].sizingText, "書禁");
    EXPECT_STREQ(panes[7].sizingText, "%1 %2      ");

    int code = 1;
    std::vector<std::string> shown;
    for (int press = 0; press < 5; ++press) {
        code = NextCodeType(code);
        shown.push_back(CodeTypeName(code));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"JIS", "EUC", "UNI", "SJIS", "JIS"}));
    EXPECT_STREQ(CodeTypeName(0), "");
    EXPECT_EQ(NextCodeType(9), 1);
}

TEST(CommandRules, WithoutADocumentOnlyFrameCommandsAreEnabled)
{
    CommandContext none = Everything(false);
    none.hasDocument = false;
    const std::set<uint16_t> enabled = {
        cmd::FileNew, cmd::FileOpen, cmd::AppExit, cmd::FilePrintSetup, cmd::FileRecent1,
        cmd::CodeSwitch, cmd::CommonSettings, cmd::DisplayFont, cmd::Customize,
        cmd::HelpContents, cmd::HelpUsing, cmd::AppAbout};
    for (const uint16_t id : IdsOf(MenuBarWithDocument()))
        EXPECT_EQ(Enabled(id, none), enabled.count(id) == 1) << id;
    for (const StatusPane& pane : StatusPanes())
        EXPECT_FALSE(Enabled(pane.id, none)) << pane.id;
    EXPECT_EQ(CommandRuleState(cmd::ViewToolBar, none), (CommandState{true, true}));
}

TEST(CommandRules, BinaryDocumentFollowsSelectionClipboardJournalsAndReadOnly)
{
    CommandContext c = BinaryDocument();
    for (const uint16_t id : {cmd::FileSave, cmd::FileSaveAs, cmd::EditFind, cmd::EditReplace,
                              cmd::Jump, cmd::MarkToggle, cmd::MarkClearAll, cmd::SelectAll,
                              cmd::CommonSettings, cmd::ReadOnly, cmd::IndicatorOffsetHex})
        EXPECT_TRUE(Enabled(id, c)) << id;
    for (const uint16_t id : {cmd::EditUndo, cmd::EditRedo, cmd::EditCut, cmd::EditCopy,
                              cmd::ScreenCopy, cmd::EditPaste, cmd::Compare, cmd::FormatTemplate,
                              cmd::ColumnRuler, cmd::LineRuler, cmd::LineMarkToggle, cmd::AppendCopy,
                              cmd::UpperCase, cmd::InsertDate, cmd::IndicatorOverwrite,
                              cmd::IndicatorReadOnly, cmd::IndicatorSpare})
        EXPECT_FALSE(Enabled(id, c)) << id;

    c.hasSelection = c.streamSelection = c.canPaste = c.canUndo = true;
    c.compareAvailable = c.overwrite = true;
    for (const uint16_t id : {cmd::EditUndo, cmd::EditCut, cmd::EditCopy, cmd::ScreenCopy,
                              cmd::EditPaste, cmd::Compare, cmd::FormatTemplate,
                              cmd::IndicatorOverwrite})
        EXPECT_TRUE(Enabled(id, c)) << id;
    EXPECT_FALSE(Enabled(cmd::EditRedo, c));
    EXPECT_FALSE(Enabled(cmd::UpperCase, c));

    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, c), (CommandState{true, false}));
    c.readOnly = true;
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, c), (CommandState{true, true}));
    EXPECT_FALSE(Enabled(cmd::FileSave, c));
    EXPECT_TRUE(Enabled(cmd::FileSaveAs, c));
    EXPECT_TRUE(Enabled(cmd::IndicatorReadOnly, c));
}

TEST(CommandRules, TextDocumentDisablesTheHexCommandsAndFollowsTheTextPane)
{
    CommandContext c = Everything(true);
    c.streamSelection = false;
    for (const uint16_t id : {cmd::FileSave, cmd::FileSaveAs, cmd::EditFind, cmd::EditReplace,
                              cmd::Jump, cmd::MarkToggle, cmd::MarkNext, cmd::EditCut,
                              cmd::EditPaste, cmd::ScreenCopy, cmd::Compare, cmd::FormatTemplate,
                              cmd::ReadOnly, cmd::CommonSettings, cmd::DisplayFont, cmd::Customize,
                              cmd::UpperCase, cmd::SpacesToTabs, cmd::JoinLines})
        EXPECT_FALSE(Enabled(id, c)) << id;
    for (const uint16_t id : {cmd::EditCopy, cmd::EditUndo, cmd::EditRedo, cmd::AppendCut,
                              cmd::LineMarkClearAll, cmd::Centre, cmd::InsertString, cmd::Indent,
                              cmd::SelectAll, cmd::FindPrevious})
        EXPECT_TRUE(Enabled(id, c)) << id;
    EXPECT_EQ(CommandRuleState(cmd::ReadOnly, c), (CommandState{false, false}));

    c.streamSelection = true;
    for (const uint16_t id : {cmd::UpperCase, cmd::SpacesToTabs, cmd::TabsToSpaces, cmd::JoinLines,
                              cmd::KatakanaToHiragana, cmd::Capitalise})
        EXPECT_TRUE(Enabled(id, c)) << id;
    c.hasSelection = c.canUndo = false;
    EXPECT_FALSE(Enabled(cmd::EditCopy, c));
    EXPECT_FALSE(Enabled(cmd::EditUndo, c));
    EXPECT_FALSE(Enabled(cmd::UpperCase, c));

    c.lineRulerShown = false;
    EXPECT_EQ(CommandRuleState(cmd::ColumnRuler, c), (CommandState{true, true}));
    EXPECT_EQ(CommandRuleState(cmd::LineRuler, c), (CommandState{true, false}));
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

    for (const uint16_t id : {cmd::FileNew, cmd::FileOpen, cmd::FileClose, cmd::FileSave,
                              cmd::FileSaveAs, cmd::FileRecent4, cmd::Favourite1, cmd::AppExit,
                              cmd::AppAbout, cmd::ReadOnly, cmd::CodeSwitch, cmd::WindowTile,
                              cmd::ViewStatusBar, cmd::HelpUsing, cmd::IndicatorCode,
                              cmd::EditUndo, cmd::EditCopy, cmd::MarkNext, cmd::EditFind,
                              cmd::FindNext})
        EXPECT_TRUE(IsCommandBuilt(id)) << id;
    for (const uint16_t id : {cmd::Compare, cmd::FilePrint, cmd::PageLayout,
                              cmd::CommonSettings, cmd::Customize, cmd::LineMarkToggle})
        EXPECT_FALSE(IsCommandBuilt(id)) << id;
}
