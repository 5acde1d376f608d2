// Box corners as one number each, and the bytes a box copy makes of a text.
#include "doc/DocTestSupport.h"
#include "textpane/CTextCaretModel.h"
#include "textpane/TextBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(TextBox, CornersInAnyOrderGiveOneBox)
{
    constexpr uint32_t max = 20;
    const uint32_t a = BoxCoordinate(7, 3, max), b = BoxCoordinate(2, 9, max);
    EXPECT_EQ(BoxBetween(a, b, max), (CTextBox{3, 9, 2, 7}));
    EXPECT_EQ(BoxBetween(b, a, max), (CTextBox{3, 9, 2, 7}));
    // The last column a corner may have (past the widest line) stays on its line.
    EXPECT_EQ(BoxBetween(BoxCoordinate(max + 1, 4, max), BoxCoordinate(0, 4, max), max), (CTextBox{4, 4, 0, max + 1}));
    EXPECT_TRUE(BoxBetween(a, BoxCoordinate(7, 0, max), max).empty());
}

TEST(TextBox, CopyTakesTheUnitsOfEachLineThatTouchTheColumns)
{
    // Line 0: a kanji at columns 1-2; line 1: a tab to column 4; line 2 short;
    // line 3 wraps at 20 columns (its first row has no CR LF); the text ends without one.
    const std::string text = "a\x8a\xbf" "bcdef\r\n" "\tXYZ\r\n" "q\r\n" + std::string(22, 'w') + "\r\n" "end";
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
    doc->ResetLayout(20);
    CTextLineModel lines(*doc, TextLayoutOf(*doc));
    (void)lines.rebuild();
    ASSERT_EQ(lines.lineCount(), 6u);
    const auto copy = [&](CTextBox box) {
        std::string out(BoxTextCapacity(box, lines.maxColumns()), '\0');
        out.resize(BoxText(lines, *doc, box, reinterpret_cast<uint8_t*>(out.data())));
        return out;
    };
    // Columns 2..4: the kanji cut by the left edge and the tab cut by the right one come whole.
    EXPECT_EQ(copy({0, 2, 2, 5}), "\x8a\xbf" "bc\r\n" "\tX\r\n" "\r\n");
    // A box reaching past the ends takes each line's own CR LF once; a line
    // left of the box gives only a CR LF.
    EXPECT_EQ(copy({1, 5, 3, 40}), "\tXYZ\r\n" "\r\n" + std::string(17, 'w') + "\r\n" "\r\n" "\r\n");
    EXPECT_EQ(copy({5, 6, 0, 40}), "end\r\n" "\r\n"); // the empty line after the text
}
