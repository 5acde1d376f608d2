// Copy, cut, paste with the private block, screen copy and marks of the hex pane model.
#include "PaneTestSupport.h"

#include "binpane/BinaryClipboard.h"
#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    Select(pane, 3, 3);
    pane.model.paste();
    EXPECT_EQ((Bytes{0x82, 0x00, 0xA0, 0x82, 0x00, 0xA0, 0xFF, 0x81, 0x0D, 0x80, 0x81, 0x0D, 0x80}),
              pane.data());
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
    EXPECT_EQ(6u, pane.doc->DataSize()) << "no text: nothing happens";
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
    EXPECT_EQ(std::count(pane.host.clipboard->begin(), pane.host.clipboard->end(), '\n'), 2 + 4);
    EXPECT_EQ(2u, CBinaryClipboard::Length()) << "screen copy leaves the private block alone";
}

// Random toggles, moves and deletions against a plain sorted list: at most
// 100 marks, moves wrap both ways, marks left beyond the data by a deletion
// are passed over, and moving with no marks beeps.
TEST(PaneClipboard, MarksFollowAPlainSortedList)
{
    std::mt19937 rng(11);
    Pane pane(Bytes(300, 0));
    std::vector<uint32_t> marks;
    size_t beeps = 0;
    for (int step = 0; step < 4000; ++step) {
        const uint32_t size = pane.doc->DataSize();
        const unsigned op = rng() % 10;
        if (op < 5) {
            pane.model.setCaretOffset(static_cast<uint32_t>(rng() % (size + 1)));
            const uint32_t at = pane.model.m_nCaret;
            const auto it = std::lower_bound(marks.begin(), marks.end(), at);
            if (it != marks.end() && *it == at)
                marks.erase(it);
            else if (marks.size() < 100)
                marks.insert(it, at);
            else
                ++beeps;
            pane.model.toggleMark();
        } else if (op < 8) {
            const uint32_t caret = pane.model.m_nCaret;
            uint32_t target = caret;
            if (marks.empty()) {
                ++beeps;
            } else if (op == 5) {
                auto it = std::upper_bound(marks.begin(), marks.end(), caret);
                target = it == marks.end() || *it > size ? marks.front() : *it;
            } else {
                auto it = std::lower_bound(marks.begin(), marks.end(), caret);
                target = it == marks.begin() ? marks.back() : *(it - 1);
            }
            op == 5 ? pane.model.nextMark() : pane.model.previousMark();
            ASSERT_EQ(pane.model.m_nCaret, std::min(target, size)) << "step " << step;
        } else if (op == 8 && size > 200) {
            pane.model.setCaretOffset(static_cast<uint32_t>(rng() % size));
            pane.key(qtkey::Key_Delete);
        } else if (rng() % 20 == 0) {
            pane.model.clearAllMarks();
            marks.clear();
        }
        ASSERT_EQ(std::vector<uint32_t>(pane.doc->BinaryMarks().begin(), pane.doc->BinaryMarks().end()), marks);
        ASSERT_EQ(pane.sink.beeps.size(), beeps) << "step " << step;
        const uint32_t probe = static_cast<uint32_t>(rng() % 320);
        const auto it = std::find(marks.begin(), marks.end(), probe);
        ASSERT_EQ(pane.model.markIndex(probe), it == marks.end() ? -1 : static_cast<int>(it - marks.begin()));
    }
}

} // namespace
