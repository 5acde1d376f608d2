#include "binpane/DumpScroll.h"
#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <random>


TEST(DumpScroll, RangeIsActiveOnlyWhenTheLinesDoNotFit)
{
    DumpScroll s;
    s.setVerticalRange(100, 30);
    EXPECT_TRUE(s.active);
    EXPECT_EQ(s.maximum, 71); // one empty line may show below the last

    s.setVerticalRange(29, 30);
    EXPECT_FALSE(s.active);
    EXPECT_EQ(s.maximum, 29);

    s.setVerticalRange(30, 30); // lines + 1 > visible: the line after the last needs room too
    EXPECT_TRUE(s.active);
    EXPECT_EQ(s.maximum, 1);
}

TEST(DumpScroll, ActiveBarMovesWithinItsRangeLikeAPlainClampModel)
{
    std::mt19937 rng(7);
    const ScrollRequest requests[] = { ScrollRequest::LineUp, ScrollRequest::LineDown,
                                       ScrollRequest::PageUp, ScrollRequest::PageDown,
                                       ScrollRequest::ThumbTrack, ScrollRequest::ThumbPosition,
                                       ScrollRequest::Top, ScrollRequest::Bottom };
    DumpScroll s;
    s.setVerticalRange(5000, 40);
    const int page = 40;
    for (int i = 0; i < 20000; ++i) {
        const ScrollRequest r = requests[rng() % 8];
        const int track = static_cast<int>(rng() % 6000) - 500;
        int expected = s.position;
        switch (r) {
        case ScrollRequest::LineUp: expected -= 1; break;
        case ScrollRequest::LineDown: expected += 1; break;
        case ScrollRequest::PageUp: expected -= page; break;
        case ScrollRequest::PageDown: expected += page; break;
        case ScrollRequest::ThumbTrack:
        case ScrollRequest::ThumbPosition: expected = track; break;
        case ScrollRequest::Top: expected = 0; break;
        case ScrollRequest::Bottom: expected = s.maximum; break;
        }
        expected = std::clamp(expected, 0, s.maximum);
        const VerticalScrollAction a = s.vertical(r, track, page);
        if (expected == s.position) {
            EXPECT_EQ(a.kind, VerticalScrollAction::None);
        } else {
            ASSERT_EQ(a.kind, VerticalScrollAction::Move);
            s.position += a.delta;
        }
        ASSERT_EQ(s.position, expected);
    }
}

TEST(DumpScroll, InactiveBarHandsRequestsToTheKeyboard)
{
    DumpScroll s;
    s.setVerticalRange(10, 40);
    ASSERT_FALSE(s.active);
    EXPECT_EQ(s.vertical(ScrollRequest::LineUp, 0, 40).key, qtkey::Key_Up);
    EXPECT_EQ(s.vertical(ScrollRequest::LineDown, 0, 40).key, qtkey::Key_Down);
    EXPECT_EQ(s.vertical(ScrollRequest::PageUp, 0, 40).key, qtkey::Key_PageUp);
    EXPECT_EQ(s.vertical(ScrollRequest::PageDown, 0, 40).key, qtkey::Key_PageDown);
    EXPECT_EQ(s.vertical(ScrollRequest::ThumbPosition, 0, 40).key, qtkey::Key_End);
    EXPECT_EQ(s.vertical(ScrollRequest::Top, 0, 40).key, qtkey::Key_Home);
    EXPECT_EQ(s.vertical(ScrollRequest::Bottom, 0, 40).key, qtkey::Key_End);
    EXPECT_EQ(s.vertical(ScrollRequest::ThumbTrack, 0, 40).kind, VerticalScrollAction::None);

    // An empty document: nothing at all happens.
    DumpScroll empty;
    empty.setVerticalRange(0, 40);
    EXPECT_EQ(empty.vertical(ScrollRequest::LineDown, 0, 40).kind, VerticalScrollAction::None);
}

TEST(DumpScroll, PositionLeftOverAfterAResizeOnlyMovesUp)
{
    DumpScroll s;
    s.setVerticalRange(100, 30);
    s.position = 50;
    s.setVerticalRange(100, 200); // the window grew: inactive, position kept
    ASSERT_FALSE(s.active);
    EXPECT_EQ(s.vertical(ScrollRequest::LineDown, 0, 200).kind, VerticalScrollAction::None);
    EXPECT_EQ(s.vertical(ScrollRequest::PageDown, 0, 200).kind, VerticalScrollAction::None);
    EXPECT_EQ(s.vertical(ScrollRequest::ThumbPosition, 60, 200).kind, VerticalScrollAction::None);
    EXPECT_EQ(s.vertical(ScrollRequest::LineUp, 0, 200).delta, -1);
    EXPECT_EQ(s.vertical(ScrollRequest::ThumbPosition, 20, 200).delta, -30);
    EXPECT_EQ(s.vertical(ScrollRequest::PageUp, 0, 200).delta, -50);
    EXPECT_EQ(s.vertical(ScrollRequest::Top, 0, 200).delta, -50);
}

TEST(DumpScroll, HorizontalExtentAndSteps)
{
    // 16 bytes a line: 64 + 11 + 1 columns plus one per pixel of cell width.
    EXPECT_EQ(DumpScroll::horizontalMaximum(16, 9, 50), 64 + 11 + 1 + 9 + 1 - 50);
    EXPECT_EQ(DumpScroll::horizontalMaximum(16, 9, 200), 0);
    const int maximum = 36;
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::LineDown, 0, 0, 50, maximum), 10);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::LineDown, 30, 0, 50, maximum), 36);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::LineUp, 5, 0, 50, maximum), 0);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::PageDown, 0, 0, 50, maximum), 36);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::ThumbTrack, 0, 20, 50, maximum), 20);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::Bottom, 0, 0, 50, maximum), 36);
    EXPECT_EQ(DumpScroll::horizontal(ScrollRequest::LineDown, 0, 0, 50, 0), 0);
}
