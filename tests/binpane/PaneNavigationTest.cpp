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
