// Typing and deleting on the hex pane model: the cases the random runs
// cannot pin down (Enter, questions, messages, refusals).
#include "PaneTestSupport.h"

#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using panetest::Bytes;
using panetest::Pane;

Bytes Counting(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i);
    return b;
}

// A second window far from the typing follows each edit without reading the
// bytes under its caret: that read would write the edit window back, moving
// the whole tail at every keystroke.
TEST(PaneEdit, AViewFollowingAnotherViewsTypingLeavesTheEditWindowAlone)
{
    Pane pane(Counting(200'000));
    panetest::CFakeHost otherHost;
    otherHost.setWindow(20, pane.model.lineCount());
    CBinaryPaneModel other(*pane.doc, otherHost);
    other.setCaretOffset(150'000);
    panetest::CModelView views[] = {panetest::CModelView(pane.model), panetest::CModelView(other)};
    for (panetest::CModelView& view : views)
        pane.doc->AddView(&view);
    g_bOverwrite = false;
    pane.type("41");
    EXPECT_TRUE(pane.doc->IsWindowChanged());
    EXPECT_EQ(150'001u, other.m_nCaret);
    for (panetest::CModelView& view : views)
        pane.doc->RemoveView(&view);
}

TEST(PaneEdit, EnterVariantsAndTypingOverASelection)
{
    Pane pane(Counting(8));
    g_bOverwrite = true;
    pane.key(qtkey::Key_Tab);
    pane.model.setCaretOffset(2);
    pane.key(qtkey::Key_Right, true);
    pane.key(qtkey::Key_Right, true);
    ASSERT_TRUE(pane.model.m_bSelection);
    // The selection goes and the input is inserted, even in overwrite mode.
    pane.key(qtkey::Key_Return);
    EXPECT_EQ((Bytes{0, 1, '\r', '\n', 4, 5, 6, 7}), pane.data());
    g_bOverwrite = false;
    pane.key(qtkey::Key_Return, false, true);
    pane.key(qtkey::Key_Return, true, false);
    pane.key(qtkey::Key_Return, true, true);
    EXPECT_EQ((Bytes{0, 1, '\r', '\n', '\r', '\n', '\r', '\n', 4, 5, 6, 7}), pane.data());

    // Without DeleteSelectionAtInput the selection is only removed.
    g_settings.DeleteSelectionAtInput = 0;
    pane.key(qtkey::Key_Left, true);
    pane.type("x");
    EXPECT_EQ((Bytes{0, 1, '\r', '\n', '\r', '\n', '\r', 'x', '\n', 4, 5, 6, 7}), pane.data());
}

TEST(PaneEdit, DeletingMoreThanTheJournalHoldsAsksFirst)
{
    Pane pane(Bytes(40'000, 0x55));
    g_bOverwrite = false;
    pane.model.setCaretOffset(100);
    pane.type("12"); // something to lose from the journals
    const Bytes typed = pane.data();
    pane.model.undo();
    const Bytes undone = pane.data();
    ASSERT_TRUE(pane.model.canUndo() && pane.model.canRedo());
    pane.model.selectAll();

    pane.sink.answers = {MsgAnswer::Cancel};
    pane.key(qtkey::Key_Delete);
    EXPECT_EQ(pane.sink.texts, std::vector<std::string>{LoadString(StringId::IdsUndoOverflow)});
    EXPECT_EQ(undone, pane.data());
    EXPECT_FALSE(pane.model.m_bSelection);
    // Cancel changed nothing, the history included.
    while (pane.model.canUndo())
        pane.model.undo();
    EXPECT_EQ(Bytes(40'000, 0x55), pane.data());
    while (pane.model.canRedo())
        pane.model.redo();
    ASSERT_EQ(typed, pane.data());

    pane.model.selectAll();
    pane.key(qtkey::Key_Delete); // answered OK
    EXPECT_EQ(std::tuple(pane.doc->DataSize(), pane.doc->LastCharPos(), pane.model.canUndo()),
              std::tuple(0u, -1, false));
    const auto& invalidated = pane.host.invalidated;
    EXPECT_NE(std::ranges::find(invalidated, std::pair(0u, 40'000u / 16)), invalidated.end()) << "every line";

    // Undoing a large paste cannot journal its redo: Cancel keeps the paste and its undo.
    pane.host.clipboard = std::string(40'000, 'U');
    pane.model.paste();
    ASSERT_EQ(40'000u, pane.doc->DataSize());
    pane.sink.answers = {MsgAnswer::Cancel};
    pane.model.undo();
    EXPECT_EQ(std::pair(pane.doc->DataSize(), pane.model.canUndo()), std::pair(40'000u, true));
    pane.model.undo(); // answered OK
    EXPECT_EQ(std::pair(pane.doc->DataSize(), pane.model.canRedo()), std::pair(0u, false));
    EXPECT_EQ(4u, pane.sink.texts.size());
}

TEST(PaneEdit, GrowthPastTheLimitIsRefusedWithItsMessage)
{
    Pane pane(Counting(100));
    g_nMaxImageSize = 104; // room for one more byte besides the two of slack
    g_bOverwrite = false;
    pane.model.setCaretOffset(10);
    pane.type("56");
    EXPECT_TRUE(pane.sink.texts.empty()) << "the second digit completes the byte in place";
    EXPECT_EQ(0x56, pane.data()[10]);
    pane.type("7");
    EXPECT_EQ(pane.sink.texts, std::vector<std::string>{LoadString(StringId::IdsTooLarge)});
    EXPECT_EQ(std::pair(pane.doc->DataSize(), pane.model.m_bSecondDigit), std::pair(101u, 0))
        << "a refused digit leaves nothing half typed";
    pane.type("8");
    EXPECT_EQ(0x0A, pane.data()[11]) << "the byte after the caret is untouched";

    // A full file can still be overwritten, but not extended.
    g_bOverwrite = true;
    pane.type("9");
    EXPECT_EQ(0x09, pane.data()[11]);
    pane.key(qtkey::Key_End, false, true);
    pane.type("1");
    EXPECT_EQ(101u, pane.doc->DataSize());
    EXPECT_EQ(3u, pane.sink.texts.size());
}

} // namespace
