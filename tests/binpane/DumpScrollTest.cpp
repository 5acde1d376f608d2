#include "binpane/DumpScroll.h"

#include <gtest/gtest.h>

#include <random>


// Random ranges and requests against the rules written plainly: an active bar
// moves within its range, one whose lines all fit hands requests to the
// keyboard, and a position left over by a resize only moves up.
TEST(DumpScroll, RequestsFollowThePlainRulesWhateverTheRange)
{
    std::mt19937 rng(7);
    DumpScroll s;
    for (int i = 0; i < 40000; ++i) {
        if (rng() % 40 == 0) {
            const int32_t lines = static_cast<int32_t>(rng() % 300), visible = 1 + static_cast<int32_t>(rng() % 200);
            const int32_t before = s.position;
            s.setVerticalRange(static_cast<uint32_t>(lines), visible);
            ASSERT_EQ(s.active, lines + 1 > visible); // the line after the last needs room too
            ASSERT_EQ(s.maximum, s.active ? lines - visible + 1 : lines);
            ASSERT_EQ(s.position, s.active ? std::min(before, s.maximum) : before);
        }
        const auto r = static_cast<ScrollRequest>(rng() % 8);
        const int32_t track = static_cast<int32_t>(rng() % 400) - 50, page = 1 + static_cast<int32_t>(rng() % 60);
        int32_t expected = s.position;
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
        const VerticalScrollAction a = s.vertical(r, track, page);
        if (!s.active && s.position == 0) {
            ASSERT_NE(a.kind, VerticalScrollAction::Move);
            ASSERT_EQ(a.kind == VerticalScrollAction::Key,
                      s.maximum > 0 && r != ScrollRequest::ThumbTrack) << "an empty document does nothing";
            continue;
        }
        const bool upward = r == ScrollRequest::LineUp || r == ScrollRequest::PageUp
            || r == ScrollRequest::Top || r == ScrollRequest::ThumbPosition;
        expected = s.active ? std::clamp(expected, 0, s.maximum) : std::max(expected, 0);
        if (!s.active && (!upward || expected > s.position))
            expected = s.position;
        if (expected == s.position) {
            ASSERT_EQ(a.kind, VerticalScrollAction::None);
        } else {
            ASSERT_EQ(a.kind, VerticalScrollAction::Move);
            s.position += a.delta;
        }
        ASSERT_EQ(s.position, expected) << "step " << i;
    }
}
