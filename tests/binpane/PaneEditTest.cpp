// Typing, deleting and the journal on the hex pane model: the cases the
// random runs cannot pin down (records written, messages, refusals).
#include "PaneTestSupport.h"

#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>

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

std::vector<int32_t> TypesOf(const CEditJournal& journal)
{
    std::vector<int32_t> types;
    for (int i = 0; i < journal.count(); ++i)
        types.push_back(journal.record(i).type);
    return types;
}

TEST(PaneEdit, TwoDigitsInInsertModeMakeOneByteUndoneInTwoSteps)
{
    Pane pane(Counting(10));
    g_bOverwrite = false;
    pane.model.setCaretOffset(5);
    pane.type("4");
    EXPECT_EQ(4, pane.data()[5]);
    EXPECT_EQ(5u, pane.model.m_nCaret);
    EXPECT_EQ(1, pane.model.m_bSecondDigit);
    EXPECT_EQ((std::pair<uint32_t, uint32_t>{0, 10 + 3 * 5 + 2}), pane.host.caretCell);
    pane.type("F");
    Bytes expected = Counting(10);
    expected.insert(expected.begin() + 5, 0x4F);
    EXPECT_EQ(expected, pane.data());
    EXPECT_EQ(6u, pane.model.m_nCaret);
    EXPECT_EQ((std::vector<int32_t>{1, 5, 6}), TypesOf(pane.doc->UndoJournal()));
    EXPECT_EQ(4, *pane.doc->UndoJournal().dataOf(pane.doc->UndoJournal().record(1)));

    pane.key(qtkey::Key_Z, false, true);
    expected[5] = 0x04;
    EXPECT_EQ(expected, pane.data());
    pane.model.undo();
    EXPECT_EQ(Counting(10), pane.data());
    EXPECT_FALSE(pane.model.canUndo());
    EXPECT_TRUE(pane.model.canRedo());

    // A new edit after an undo makes redo unavailable.
    pane.type("1");
    EXPECT_FALSE(pane.model.canRedo());
}

TEST(PaneEdit, OverwriteAtTheEndAppendsAndOverwritingPairsReplaceAndAppend)
{
    Pane pane(Counting(4));
    g_bOverwrite = true;
    pane.key(qtkey::Key_End, false, true);
    pane.type("7");
    EXPECT_EQ((Bytes{0, 1, 2, 3, 7}), pane.data());
    EXPECT_EQ((std::vector<int32_t>{1}), TypesOf(pane.doc->UndoJournal()));

    // A double-byte character typed over the last byte replaces it and appends the rest.
    pane.key(qtkey::Key_Tab);
    pane.model.setCaretOffset(4);
    pane.type("\x82");
    EXPECT_EQ(1, pane.model.m_bLeadPending);
    EXPECT_EQ(5u, pane.doc->DataSize());
    pane.type("\xA0");
    EXPECT_EQ((Bytes{0, 1, 2, 3, 0x82, 0xA0}), pane.data());
    EXPECT_EQ((std::vector<int32_t>{1, 5, 6}), TypesOf(pane.doc->UndoJournal()));
    EXPECT_EQ(2u, pane.doc->UndoJournal().top().length);
    pane.model.undo();
    EXPECT_EQ((Bytes{0, 1, 2, 3, 7}), pane.data());
}

TEST(PaneEdit, BackspaceTakesBackAHalfTypedByteAndOtherwiseTheOneBefore)
{
    Pane pane(Counting(6));
    g_bOverwrite = false;
    pane.model.setCaretOffset(3);
    pane.type("A");
    pane.key(qtkey::Key_Backspace);
    EXPECT_EQ(Counting(6), pane.data());
    EXPECT_EQ(3u, pane.model.m_nCaret);
    EXPECT_EQ(0, pane.model.m_bSecondDigit);

    pane.key(qtkey::Key_Backspace);
    EXPECT_EQ((Bytes{0, 1, 3, 4, 5}), pane.data());
    EXPECT_EQ(2u, pane.model.m_nCaret);

    // At offset 0 only a half-typed byte can go.
    pane.model.setCaretOffset(0);
    pane.key(qtkey::Key_Backspace);
    EXPECT_EQ(5u, pane.doc->DataSize());
    pane.type("C");
    pane.key(qtkey::Key_Backspace);
    EXPECT_EQ((Bytes{0, 1, 3, 4, 5}), pane.data());
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
    EXPECT_TRUE(g_bOverwrite);
    g_bOverwrite = false;
    pane.key(qtkey::Key_Return, false, true);
    pane.key(qtkey::Key_Return, true, false);
    pane.key(qtkey::Key_Return, true, true);
    EXPECT_EQ((Bytes{0, 1, '\r', '\n', '\r', '\n', '\r', '\n', 4, 5, 6, 7}), pane.data());

    // Without DeleteSelectionAtInput the selection is only removed.
    g_settings.DeleteSelectionAtInput = 0;
    pane.key(qtkey::Key_Left, true);
    pane.type("x");
    EXPECT_FALSE(pane.model.m_bSelection);
    EXPECT_EQ('x', pane.data()[7]);
    EXPECT_EQ(13u, pane.doc->DataSize());
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
    ASSERT_EQ(1u, pane.sink.texts.size());
    EXPECT_EQ(LoadString(StringId::IdsUndoOverflow), pane.sink.texts[0]);
    EXPECT_EQ(undone, pane.data());
    EXPECT_FALSE(pane.model.m_bSelection);
    EXPECT_GE(pane.host.invalidatedAll, 1);
    // Cancel changed nothing, the history included.
    while (pane.model.canUndo())
        pane.model.undo();
    EXPECT_EQ(Bytes(40'000, 0x55), pane.data());
    while (pane.model.canRedo())
        pane.model.redo();
    ASSERT_EQ(typed, pane.data());
    ASSERT_EQ(40'001u, pane.doc->DataSize());

    pane.model.selectAll();
    pane.key(qtkey::Key_Delete); // answered OK
    EXPECT_EQ(0u, pane.doc->DataSize());
    EXPECT_EQ(-1, pane.doc->LastCharPos());
    EXPECT_FALSE(pane.model.canUndo());
    const std::pair<uint32_t, uint32_t> everyLine{0, 40'000 / 16};
    EXPECT_NE(pane.host.invalidated.end(),
              std::find(pane.host.invalidated.begin(), pane.host.invalidated.end(), everyLine));

    // Undoing a large paste cannot journal its redo: Cancel keeps the paste and its undo.
    pane.host.clipboard = std::string(40'000, 'U');
    pane.model.paste();
    ASSERT_EQ(40'000u, pane.doc->DataSize());
    pane.sink.answers = {MsgAnswer::Cancel};
    pane.model.undo();
    EXPECT_EQ(40'000u, pane.doc->DataSize());
    EXPECT_TRUE(pane.model.canUndo());
    pane.model.undo(); // answered OK
    EXPECT_EQ(0u, pane.doc->DataSize());
    EXPECT_FALSE(pane.model.canRedo());
    EXPECT_EQ(4u, pane.sink.texts.size());
}

TEST(PaneEdit, TheOldestRecordGivesWayToThe513th)
{
    Pane pane;
    g_bOverwrite = false;
    pane.key(qtkey::Key_Tab);
    for (int i = 0; i < CEditJournal::kMaxRecords; ++i)
        pane.type("a");
    const CEditJournal& undo = pane.doc->UndoJournal();
    ASSERT_EQ(CEditJournal::kMaxRecords, undo.count());
    EXPECT_EQ(0u, undo.record(0).position);
    pane.type("b");
    EXPECT_EQ(CEditJournal::kMaxRecords, undo.count());
    EXPECT_EQ(1u, undo.record(0).position);
    EXPECT_EQ(512u, undo.top().position);
}

TEST(PaneEdit, ReadOnlyDocumentsRefuseEveryEditWithABeep)
{
    Pane pane(Counting(20));
    pane.type("1");
    pane.model.undo();
    pane.doc->SetReadOnly(true);
    pane.doc->SetModifiedFlag(false);
    pane.model.setCaretOffset(4);
    pane.key(qtkey::Key_Right, true);
    pane.key(qtkey::Key_Right, true);

    const size_t beeps = pane.sink.beeps.size();
    pane.key(qtkey::Key_X, false, true); // the cut keys still copy
    EXPECT_EQ(std::string("\x04\x05"), cp932::FromUtf8(*pane.host.clipboard));
    pane.type("7");
    pane.key(qtkey::Key_Delete);
    pane.key(qtkey::Key_V, false, true);
    pane.model.cut();
    pane.model.redo();
    pane.key(qtkey::Key_Tab);
    pane.key(qtkey::Key_Return);
    EXPECT_EQ(beeps + 7, pane.sink.beeps.size());
    EXPECT_EQ(Counting(20), pane.data());
    EXPECT_FALSE(pane.doc->IsModified());
    EXPECT_TRUE(pane.model.canRedo());
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
    ASSERT_EQ(1u, pane.sink.texts.size());
    EXPECT_EQ(LoadString(StringId::IdsTooLarge), pane.sink.texts[0]);
    EXPECT_EQ(101u, pane.doc->DataSize());
    EXPECT_EQ(0, pane.model.m_bSecondDigit) << "a refused digit leaves nothing half typed";
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
