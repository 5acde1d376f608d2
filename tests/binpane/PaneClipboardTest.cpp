// Copy, cut, paste with the private block, screen copy and marks of the hex pane model.
#include "PaneTestSupport.h"

#include "binpane/BinaryClipboard.h"
#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using panetest::Bytes;
using panetest::Pane;

void Select(Pane& pane, uint32_t first, uint32_t last)
{
    pane.model.clearSelection();
    pane.model.setCaretOffset(first);
    pane.model.extendSelection(first, last + 1);
}

TEST(PaneClipboard, BytesThatTextCannotHoldSurviveTheUnicodeRoundTrip)
{
    // A lone lead byte, an undefined byte and a pair split by a zero.
    const Bytes odd{0x82, 0x00, 0xA0, 0xFF, 0x81, 0x0D, 0x80};
    Pane pane(odd);
    pane.model.selectAll();
    pane.model.copy();
    EXPECT_NE(std::string(odd.begin(), odd.end()), cp932::FromUtf8(*pane.host.clipboard));
    pane.model.clearSelection();
    pane.key(qtkey::Key_End, false, true);
    pane.model.paste();
    Bytes twice = odd;
    twice.insert(twice.end(), odd.begin(), odd.end());
    EXPECT_EQ(twice, pane.data());
}

TEST(PaneClipboard, ForeignTextIsPastedAndDropsThePrivateBlock)
{
    Pane pane(Bytes{0x41, 0x00, 0x42, 0x43});
    Select(pane, 0, 3);
    pane.model.copy();
    pane.model.clearSelection();
    pane.host.clipboard = "AB"; // a prefix of the copied text is someone else's text
    pane.model.setCaretOffset(4);
    pane.model.paste();
    EXPECT_EQ((Bytes{0x41, 0x00, 0x42, 0x43, 0x41, 0x42}), pane.data());
    EXPECT_FALSE(CBinaryClipboard::Has());

    pane.host.clipboard.reset();
    pane.model.paste();
    EXPECT_EQ(6u, pane.doc->m_nDataSize) << "no text: nothing happens";

    // Pasting over a selection replaces it; cut copies and deletes.
    pane.host.clipboard = "xyz";
    Select(pane, 1, 2);
    pane.model.paste();
    EXPECT_EQ((Bytes{0x41, 'x', 'y', 'z', 0x43, 0x41, 0x42}), pane.data());
    Select(pane, 0, 1);
    pane.model.cut();
    EXPECT_EQ((Bytes{'y', 'z', 0x43, 0x41, 0x42}), pane.data());
    EXPECT_EQ("Ax", *pane.host.clipboard);
    EXPECT_FALSE(pane.model.hasSelection());
    pane.model.undo();
    EXPECT_EQ((Bytes{0x41, 'x', 'y', 'z', 0x43, 0x41, 0x42}), pane.data());
}

TEST(PaneClipboard, ScreenCopyTakesWholeLinesAsShown)
{
    Bytes bytes(0x40, 0x2E);
    for (int i = 0; i < 16; ++i)
        bytes[0x20 + i] = static_cast<uint8_t>(0x41 + i);
    Pane pane(bytes);
    Select(pane, 0, 1);
    pane.model.copy();
    Select(pane, 0x23, 0x25);
    pane.model.screenCopy();
    const std::string expected =
        "ADDRESS   00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  0123456789ABCDEF\r\n"
        + std::string(76, '-') + "\r\n"
        + "00000020  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP \r\n";
    EXPECT_EQ(expected, *pane.host.clipboard);

    Select(pane, 0x0F, 0x30);
    pane.model.screenCopy();
    size_t lines = 0;
    for (size_t at = 0; (at = pane.host.clipboard->find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    EXPECT_EQ(2u + 4u, lines);
    EXPECT_EQ(2u, CBinaryClipboard::Length()) << "screen copy leaves the private block alone";
}

TEST(PaneClipboard, MarksToggleAndWrapAroundBothWays)
{
    Pane pane(Bytes(1000, 0));
    for (uint32_t at : {300u, 100u, 700u}) {
        pane.model.setCaretOffset(at);
        pane.model.toggleMark();
    }
    EXPECT_EQ(3, pane.doc->m_nBinMarkCount);
    EXPECT_EQ((std::array<uint32_t, 3>{100, 300, 700}),
              (std::array<uint32_t, 3>{pane.doc->m_binMarks[0], pane.doc->m_binMarks[1],
                                       pane.doc->m_binMarks[2]}));
    EXPECT_EQ(1, pane.model.markIndex(300));
    EXPECT_EQ(-1, pane.model.markIndex(301));

    pane.model.nextMark();
    EXPECT_EQ(100u, pane.model.m_nCaret) << "after the last mark comes the first";
    pane.model.nextMark();
    EXPECT_EQ(300u, pane.model.m_nCaret);
    pane.model.previousMark();
    pane.model.previousMark();
    EXPECT_EQ(700u, pane.model.m_nCaret) << "before the first mark comes the last";
    pane.model.setCaretOffset(500);
    pane.model.previousMark();
    EXPECT_EQ(300u, pane.model.m_nCaret);

    pane.model.toggleMark();
    EXPECT_EQ(2, pane.doc->m_nBinMarkCount);
    EXPECT_EQ(-1, pane.model.markIndex(300));

    // A mark at the data size is allowed; one beyond it after a deletion is skipped.
    pane.key(qtkey::Key_End, false, true);
    pane.model.toggleMark();
    EXPECT_EQ(1000u, pane.doc->m_binMarks[2]);
    pane.model.setCaretOffset(990);
    pane.key(qtkey::Key_Delete);
    pane.model.setCaretOffset(800);
    pane.model.nextMark();
    EXPECT_EQ(100u, pane.model.m_nCaret);

    pane.model.clearAllMarks();
    const size_t beeps = pane.sink.beeps.size();
    pane.model.nextMark();
    pane.model.previousMark();
    EXPECT_EQ(beeps + 2, pane.sink.beeps.size());
}

TEST(PaneClipboard, The101stMarkBeeps)
{
    Pane pane(Bytes(200, 0));
    for (uint32_t i = 0; i < 100; ++i) {
        pane.model.setCaretOffset(199 - i);
        pane.model.toggleMark();
    }
    ASSERT_EQ(100, pane.doc->m_nBinMarkCount);
    EXPECT_TRUE(std::is_sorted(pane.doc->m_binMarks.begin(), pane.doc->m_binMarks.end()));
    pane.model.setCaretOffset(0);
    pane.model.toggleMark();
    EXPECT_EQ(100, pane.doc->m_nBinMarkCount);
    EXPECT_EQ(1u, pane.sink.beeps.size());
    EXPECT_EQ(-1, pane.model.markIndex(0));
}

} // namespace
