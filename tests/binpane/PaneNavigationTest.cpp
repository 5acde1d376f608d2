// Caret, selection and mouse of the hex pane model with B = 16, K = 8.
#include "PaneTestSupport.h"

#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

namespace {

using panetest::Bytes;
using panetest::Pane;

struct KeyCase
{
    const char* name;
    uint32_t from;
    int key;
    bool ctrl;
    uint32_t to;
};

TEST(PaneNavigation, KeysMoveTheCaretWithinTheData)
{
    // 40 bytes: two full lines and a partial one (32 .. 39).
    const KeyCase cases[] = {
        {"End on the last, partial line", 33, qtkey::Key_End, false, 40},
        {"End on a full line", 3, qtkey::Key_End, false, 15},
        {"Ctrl+End", 3, qtkey::Key_End, true, 40},
        {"Home", 20, qtkey::Key_Home, false, 16},
        {"Ctrl+Home", 20, qtkey::Key_Home, true, 0},
        {"Up from line 0", 5, qtkey::Key_Up, false, 5},
        {"Up", 37, qtkey::Key_Up, false, 21},
        {"Down past the end", 30, qtkey::Key_Down, false, 40},
        {"Right at the end", 40, qtkey::Key_Right, false, 40},
        {"Left at 0", 0, qtkey::Key_Left, false, 0},
        {"Page Down, the file fits", 5, qtkey::Key_PageDown, false, 40},
        {"Page Up", 39, qtkey::Key_PageUp, false, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Pane pane(Bytes(40, 0x11));
        pane.model.setCaretOffset(c.from);
        pane.model.m_nPreferredColumn = static_cast<int32_t>(c.from % 16);
        pane.key(c.key, false, c.ctrl);
        EXPECT_EQ(c.to, pane.model.m_nCaret);
        EXPECT_TRUE(pane.host.scrolls.empty());
    }
}

TEST(PaneNavigation, UpAndDownKeepThePreferredColumnAndPageKeysScrollFirst)
{
    Pane pane(Bytes(16'000, 0)); // 1,000 lines in a window of 20
    pane.model.setCaretOffset(16 * 5 + 9);
    pane.key(qtkey::Key_End);
    EXPECT_EQ(15, pane.model.m_nPreferredColumn);
    pane.key(qtkey::Key_Down);
    pane.key(qtkey::Key_Down);
    EXPECT_EQ(16u * 7 + 15, pane.model.m_nCaret);
    EXPECT_EQ(15, pane.model.m_nPreferredColumn);

    pane.key(qtkey::Key_PageDown);
    ASSERT_EQ(1u, pane.host.scrolls.size());
    EXPECT_EQ(20u, pane.host.scrolls[0].first);
    EXPECT_EQ(16u * 27 + 15, pane.model.m_nCaret);
    pane.key(qtkey::Key_End, false, true);
    EXPECT_EQ(981u, pane.host.view.hit.topLine) << "the caret's line becomes the last one shown";
    pane.key(qtkey::Key_PageDown);
    EXPECT_EQ(981u, pane.host.view.hit.topLine) << "not past the maximum";
    pane.key(qtkey::Key_Home, false, true);
    EXPECT_EQ(0u, pane.host.view.hit.topLine);
}

TEST(PaneNavigation, ShiftKeysSelectFromTheCaretAndPlainKeysDropTheSelection)
{
    Pane pane(Bytes(40, 0x11));
    pane.model.setCaretOffset(4);
    for (int i = 0; i < 3; ++i)
        pane.key(qtkey::Key_Right, true);
    EXPECT_TRUE(pane.model.m_bSelection);
    EXPECT_FALSE(pane.host.caretShown);
    EXPECT_EQ(4u, pane.model.m_nSelStart);
    EXPECT_EQ(6u, pane.model.m_nSelEnd);
    pane.key(qtkey::Key_Left, true);
    EXPECT_EQ(4u, pane.model.m_nSelStart);
    EXPECT_EQ(5u, pane.model.m_nSelEnd);
    pane.key(qtkey::Key_Left, true);
    pane.key(qtkey::Key_Left, true);
    EXPECT_FALSE(pane.model.m_bSelection) << "back at the anchor";
    pane.key(qtkey::Key_Left, true);
    EXPECT_EQ(3u, pane.model.m_nSelStart);
    EXPECT_EQ(3u, pane.model.m_nSelEnd);
    pane.key(qtkey::Key_Right);
    EXPECT_FALSE(pane.model.m_bSelection);
    EXPECT_TRUE(pane.host.caretShown);

    pane.model.selectAll();
    EXPECT_EQ(0u, pane.model.m_nSelStart);
    EXPECT_EQ(39u, pane.model.m_nSelEnd);
    pane.key(qtkey::Key_Escape);
    EXPECT_FALSE(pane.model.m_bSelection);
}

TEST(PaneNavigation, TabSwitchesPartsAndTheStatusShowsTheCaret)
{
    Bytes bytes(40, 0);
    bytes[31] = 200;
    Pane pane(bytes);
    pane.model.setCaretOffset(31);
    EXPECT_EQ((std::vector<std::string>{"0x0000001F", "00000031", "200"}), pane.host.status);
    EXPECT_EQ((std::pair<uint32_t, uint32_t>{1, 10 + 45 + 1}), pane.host.caretCell);
    pane.key(qtkey::Key_Tab);
    EXPECT_EQ(3, pane.model.m_nFocusPart);
    EXPECT_EQ(31u, pane.model.m_nCaret);
    EXPECT_EQ((std::pair<uint32_t, uint32_t>{1, 60 + 15}), pane.host.caretCell);
    pane.key(qtkey::Key_Tab);
    EXPECT_EQ(2, pane.model.m_nFocusPart);
    pane.key(qtkey::Key_End, false, true);
    EXPECT_EQ(" ", pane.host.status[2]);
}

TEST(PaneNavigation, HitTestFindsByteCellAndPart)
{
    Pane pane;
    HitGeometry g;
    g.charWidth = 8;
    g.lineHeight = 16;
    g.leftMargin = 4;
    g.firstLineY = 40;
    g.topLine = 3;
    auto hit = [&](int column, int y) { return CBinaryCaretModel::hitTest(4 + column * 8 + 3, y, g); };
    const int line4 = 40 + 16 + 5;

    HitResult h = hit(12, line4); // the blank after byte 0
    EXPECT_EQ(16u * 4 + 1, h.offset);
    EXPECT_EQ(2, h.part);
    EXPECT_FALSE(h.beyondEnd);
    h = hit(34, line4); // the second blank at the block boundary
    EXPECT_EQ(16u * 4 + 8, h.offset);
    h = hit(58, line4);
    EXPECT_EQ(16u * 4 + 15, h.offset);
    EXPECT_TRUE(h.beyondEnd);
    h = hit(59, line4);
    EXPECT_EQ(16u * 4, h.offset);
    EXPECT_EQ(3, h.part);
    h = hit(77, line4);
    EXPECT_EQ(16u * 4 + 15, h.offset);
    EXPECT_TRUE(h.beyondEnd);
    EXPECT_EQ(16u * 4, hit(2, line4).offset);

    EXPECT_EQ(16u * 3, hit(10, 35).offset) << "just above the first line";
    EXPECT_EQ(16u * 1, hit(10, 0).offset);
    g.topLine = 0;
    EXPECT_EQ(0u, hit(10, 0).offset);
    g.scrollColumn = 10;
    EXPECT_EQ(3u, hit(9, 45).offset);
}

TEST(PaneNavigation, DraggingSelectsAndRightOfALineAnchorsAfterItsLastByte)
{
    Pane pane(Bytes(40, 0x11));
    PaneView& v = pane.host.view;
    v.hit.charWidth = 8;
    v.hit.lineHeight = 16;
    v.hit.firstLineY = 40;
    auto x = [](int column) { return column * 8 + 1; };
    auto y = [](int line) { return 40 + line * 16 + 1; };

    pane.model.mouseDown(x(58), y(0), false);
    EXPECT_EQ(15u, pane.model.m_nCaret);
    EXPECT_EQ(16u, pane.model.m_nAnchor);
    pane.model.mouseMove(x(10), y(0));
    EXPECT_EQ(0u, pane.model.m_nCaret);
    EXPECT_EQ(0u, pane.model.m_nSelStart);
    EXPECT_EQ(15u, pane.model.m_nSelEnd);
    pane.model.mouseUp();
    pane.model.mouseMove(x(10), y(1));
    EXPECT_EQ(0u, pane.model.m_nCaret) << "no tracking after the button is up";

    // Right of the last, partial line: the selection never reaches past the data.
    pane.model.mouseDown(x(58), y(2), false);
    EXPECT_EQ(40u, pane.model.m_nCaret);
    pane.model.mouseMove(x(10), y(2));
    EXPECT_EQ(32u, pane.model.m_nSelStart);
    EXPECT_EQ(39u, pane.model.m_nSelEnd);
    pane.model.mouseMove(x(58), y(2));
    EXPECT_FALSE(pane.model.m_bSelection);

    // Shift extends from the caret; a click in the character column moves the caret there.
    pane.model.mouseDown(x(60 + 3), y(0), true);
    EXPECT_EQ(3, pane.model.m_nFocusPart);
    EXPECT_EQ(3u, pane.model.m_nSelStart);
    EXPECT_EQ(39u, pane.model.m_nSelEnd);
}

TEST(PaneNavigation, DraggingBelowTheWindowScrollsAndShowLineCentres)
{
    Pane pane(Bytes(16'000, 0));
    PaneView& v = pane.host.view;
    v.hit.lineHeight = 16;
    v.hit.firstLineY = 40;
    pane.model.mouseDown(100, 41, false);
    pane.model.mouseMove(100, 40 + 16 * 25);
    EXPECT_EQ(6u, v.hit.topLine);
    pane.model.mouseMove(100, 40 + 16 * 25); // the auto-scroll tick repeats the move
    EXPECT_EQ(12u, v.hit.topLine);

    pane.model.mouseUp();
    pane.model.showLine(500, 1, false);
    EXPECT_EQ(491u, v.hit.topLine);
    EXPECT_EQ(8000u, pane.model.m_nCaret);
    pane.model.showLine(495, 1, false, 7925);
    EXPECT_EQ(491u, v.hit.topLine) << "already visible";
    EXPECT_EQ(7925u, pane.model.m_nCaret);
    EXPECT_EQ(5, pane.model.m_nPreferredColumn);
    pane.model.showLine(495, 0, true);
    EXPECT_EQ(495u, v.hit.topLine);

    // A caret beyond the visible columns scrolls them.
    v.horizontalMaximum = 30;
    v.visibleColumns = 40;
    pane.model.m_nFocusPart = 2;
    pane.model.setCaretOffset(7935);
    EXPECT_EQ(18, v.hit.scrollColumn);
    pane.model.setCaretOffset(7920);
    EXPECT_EQ(0, v.hit.scrollColumn);
}

} // namespace
