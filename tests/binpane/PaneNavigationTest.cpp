// Caret, selection and mouse of the hex pane model with B = 16, K = 8.
#include "PaneTestSupport.h"

#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using panetest::Bytes;
using panetest::Pane;

// The caret and the selected range, as one value to compare.
std::tuple<uint32_t, uint32_t, uint32_t> CaretAndSelection(const Pane& pane)
{
    const CBinaryPaneModel& m = pane.model;
    return {m.m_nCaret, m.m_bSelection ? m.m_nSelStart : 0, m.m_bSelection ? m.m_nSelEnd : 0};
}

TEST(PaneNavigation, KeysMoveTheCaretWithinTheData)
{
    struct KeyCase
    {
        uint32_t from;
        int key;
        bool ctrl;
        uint32_t to;
    };
    // 40 bytes: two full lines and a partial one (32 .. 39).
    const KeyCase cases[] = {
        {33, qtkey::Key_End, false, 40},     // on the last, partial line
        {3, qtkey::Key_End, false, 15},      // on a full line
        {3, qtkey::Key_End, true, 40},
        {20, qtkey::Key_Home, false, 16},
        {20, qtkey::Key_Home, true, 0},
        {5, qtkey::Key_Up, false, 5},        // from line 0
        {37, qtkey::Key_Up, false, 21},
        {30, qtkey::Key_Down, false, 40},    // past the end
        {5, qtkey::Key_PageDown, false, 40}, // the file fits
        {39, qtkey::Key_PageUp, false, 0},
    };
    for (const KeyCase& c : cases) {
        Pane pane(Bytes(40, 0x11));
        pane.model.setCaretOffset(c.from);
        pane.model.m_nPreferredColumn = static_cast<int32_t>(c.from % 16);
        pane.key(c.key, false, c.ctrl);
        EXPECT_EQ(c.to, pane.model.m_nCaret) << c.from << " key " << c.key;
        EXPECT_TRUE(pane.host.scrolls.empty());
    }
}

TEST(PaneNavigation, UpAndDownKeepThePreferredColumnAndPageKeysScrollFirst)
{
    Pane pane(Bytes(16'000, 0)); // 1,000 lines in a window of 20
    pane.model.setCaretOffset(16 * 5 + 9);
    pane.key(qtkey::Key_End);
    pane.key(qtkey::Key_Down);
    pane.key(qtkey::Key_Down);
    EXPECT_EQ(16u * 7 + 15, pane.model.m_nCaret);

    pane.key(qtkey::Key_PageDown);
    EXPECT_EQ(pane.host.scrolls, (std::vector<std::pair<uint32_t, uint32_t>>{{20, 0}}));
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
    pane.host.view.hit.charWidth = 8;
    pane.host.view.hit.lineHeight = 16;
    pane.host.view.hit.firstLineY = 40;
    auto x = [](int column) { return column * 8 + 1; };
    auto y = [](int line) { return 40 + line * 16 + 1; };
    using Want = std::tuple<uint32_t, uint32_t, uint32_t>;

    pane.model.mouseDown(x(58), y(0), false);
    EXPECT_EQ(16u, pane.model.m_nAnchor);
    pane.model.mouseMove(x(10), y(0));
    EXPECT_EQ(CaretAndSelection(pane), Want(0, 0, 15));
    pane.model.mouseUp();
    pane.model.mouseMove(x(10), y(1));
    EXPECT_EQ(0u, pane.model.m_nCaret) << "no tracking after the button is up";

    // Right of the last, partial line: the selection never reaches past the data.
    pane.model.mouseDown(x(58), y(2), false);
    EXPECT_EQ(CaretAndSelection(pane), Want(40, 0, 0));
    pane.model.mouseMove(x(10), y(2));
    EXPECT_EQ(CaretAndSelection(pane), Want(32, 32, 39));
    pane.model.mouseMove(x(58), y(2));
    EXPECT_FALSE(pane.model.m_bSelection);

    // Shift extends from the caret; a click in the character column moves the caret there.
    pane.model.mouseDown(x(60 + 3), y(0), true);
    EXPECT_EQ(3, pane.model.m_nFocusPart);
    EXPECT_EQ(CaretAndSelection(pane), Want(3, 3, 39));
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
    EXPECT_EQ(std::pair(491u, 8000u), std::pair(v.hit.topLine, pane.model.m_nCaret));
    pane.model.showLine(495, 1, false, 7925);
    EXPECT_EQ(std::tuple(491u, 7925u, 5), std::tuple(v.hit.topLine, pane.model.m_nCaret,
                                                     pane.model.m_nPreferredColumn))
        << "already visible";
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
