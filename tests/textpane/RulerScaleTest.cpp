// The rulers' arithmetic: the column grid and its wrap marker, the fold
// column a drag sets, the row under a point, and whole-line selections on
// wrapped text checked against the row table.
#include "doc/DocTestSupport.h"
#include "textpane/RulerScale.h"
#include "textpane/TextLineModel.h"

#include <random>
#include <string>

namespace {

TEST(RulerScale, ColumnGridMarkerAndDragColumn)
{
    // Scale from x 40, cells 8 wide, scrolled by 5 columns: column 12 at 96.
    const ruler::ColumnGrid g{40, 8, 5, 15, 13};
    EXPECT_EQ(g.leftOf(12), 96);
    EXPECT_EQ(g.columnAt(96), 12u);
    EXPECT_EQ(g.columnAt(95), 12u); // one pixel left of a tick counts as its column
    EXPECT_EQ(g.columnAt(94), 11u);
    // The marker: its tick to 2 pixels right, over the long tick's height only.
    for (int x = 90; x < 104; ++x)
        for (const int y : {1, 2, 10, 15})
            EXPECT_EQ(g.onWrapMarker(x, y, 12), x >= 96 && x <= 98 && y >= 2) << x << ',' << y;
    // Drags stop at 10 and 250 columns.
    EXPECT_EQ(g.dragColumn(96), 12);
    EXPECT_EQ(g.dragColumn(0), 10);
    EXPECT_EQ(g.dragColumn(-5000), 10);
    EXPECT_EQ(g.dragColumn(40 + 8 * 246 - 1), 250);
    EXPECT_EQ(g.dragColumn(100000), 250);
    EXPECT_EQ((ruler::ColumnGrid{40, 8, 0, 15, 13}.dragColumn(40 + 8 * 100 - 1)), 100);

    const ruler::Ticks t = ruler::Ticks::ForDpi(96);
    EXPECT_EQ((std::array{t.longTick, t.mediumTick, t.shortTick}), (std::array{13, 9, 5}));
    EXPECT_EQ((std::array{t.lengthAt(0), t.lengthAt(5), t.lengthAt(7), t.lengthAt(20)}),
              (std::array{13, 9, 5, 13}));
    EXPECT_EQ(ruler::PaletteColour(6), 0x0000FFu);
    EXPECT_EQ(ruler::PaletteColour(16), 0xC0C0C0u);
    EXPECT_EQ(ruler::PaletteColour(17), 0u);
}

TEST(RulerScale, RowUnderAPointIsKeptOnTheText)
{
    // Top margin 5, rows 10 high, scrolled to row 20, last row 40.
    EXPECT_EQ(ruler::RowAt(5, 5, 10, 20, 40), 20u);
    EXPECT_EQ(ruler::RowAt(34, 5, 10, 20, 40), 22u);
    EXPECT_EQ(ruler::RowAt(4, 5, 10, 20, 40), 19u); // above the scale: the row above
    EXPECT_EQ(ruler::RowAt(-500, 5, 10, 20, 40), 0u);
    EXPECT_EQ(ruler::RowAt(5000, 5, 10, 20, 40), 40u);
}

TEST(RulerScale, WholeLinesCoverEveryRowBetweenAnchorAndRow)
{
    std::mt19937 random(7);
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += std::string(random() % 35, 'a' + i % 26) + (i % 7 == 3 ? "\x8a\xbf" : "") + "\r\n";
    text += "tail";
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
    CTextLineModel lines(*doc, {12, 4, false, false, {}});
    (void)lines.rebuild();
    const CRowTable& rows = doc->Rows();
    const uint32_t size = doc->DataSize();
    const uint32_t count = rows.Count();
    ASSERT_GT(count, 60u);
    const auto endOf = [&](uint32_t r) { return r + 1 < count ? rows.Start(r + 1) : size; };
    for (int i = 0; i < 300; ++i) {
        const uint32_t anchor = random() % count;
        const uint32_t row = random() % count;
        const ruler::LineSelection s = ruler::WholeLines(lines, size, anchor, row);
        const uint32_t low = std::min(anchor, row), high = std::max(anchor, row);
        EXPECT_EQ(std::min(s.anchor, s.end), rows.Start(low)) << anchor << ' ' << row;
        EXPECT_EQ(std::max(s.anchor, s.end), endOf(high)) << anchor << ' ' << row;
        // The caret end is on the row's side, the anchor on the anchor line's far side.
        EXPECT_EQ(s.end, row >= anchor ? endOf(row) : rows.Start(row));
    }

    // Marks flag the first row of a logical line only.
    uint32_t wrapped = 1; // a marked line that wraps onto a second row
    while (!rows.BeginsLine(wrapped) || rows.BeginsLine(wrapped + 1))
        ++wrapped;
    const uint32_t marks[] = {rows.Start(wrapped) - 2, CLumoDoc::kFirstLineMark}; // ascending
    doc->SetAttributes(marks, {});
    for (uint32_t r = 0; r < count; ++r)
        EXPECT_EQ(ruler::RowIsMarked(*doc, lines, r), r == 0 || r == wrapped) << r;
}

} // namespace
