// The page grid, the lines of each page and the header and footer codes,
// from the layout values alone.
#include "frame/PrintLayout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const PrintStamp kStamp{"26/12/06", "19:45:07"};

TEST(PrintLayout, TemplateCodesAreReplacedOnceEachLowerCaseFirst)
{
    for (const auto& [pageTemplate, page, first, expected] : {
             std::tuple{"FileName = &f  &d &t", 3, 1, "FileName = R&D.bin  26/12/06 19:45:07"},
             std::tuple{"- &p -", 1, 0, "- 0 -"},              // first page number 0
             std::tuple{"&p &p &P", 2, 1, "2 &p &P"},          // only the first lower-case one
             std::tuple{"&P of &F", 2, 10, "11 of R&D.bin"},   // upper case when no lower case
             std::tuple{"&T&t&D", 1, 1, "&T19:45:0726/12/06"},
             std::tuple{"&&p&", 5, 1, "&5&"},
             std::tuple{"&x & &", 1, 1, "&x & &"},
             std::tuple{"", 1, 1, ""},
         }) {
        EXPECT_EQ(expected, ExpandPageTemplate(pageTemplate, page, first, "R&D.bin", kStamp)) << pageTemplate;
    }
    // A title that carries a code keeps it: only the template's codes count.
    EXPECT_EQ("a&tb 19:45:07", ExpandPageTemplate("&f &t", 1, 1, "a&tb", kStamp));
    // Double-byte text around the codes stays whole.
    EXPECT_EQ("\x83\x79\x81\x5b\x83\x57 4", ExpandPageTemplate("\x83\x79\x81\x5b\x83\x57 &p", 4, 1, "", kStamp));

    std::tm moment{};
    moment.tm_year = 2026 - 1900, moment.tm_mon = 0, moment.tm_mday = 5;
    moment.tm_hour = 7, moment.tm_min = 8, moment.tm_sec = 9;
    moment.tm_isdst = -1;
    const PrintStamp stamp = PrintStampOf(std::mktime(&moment));
    EXPECT_EQ("26/01/05", stamp.date);
    EXPECT_EQ("07:08:09", stamp.time);
    EXPECT_EQ("00001", PrintLineNumber(1, 0));
    EXPECT_EQ("123456", PrintLineNumber(123'000, 456));
}

TEST(PrintLayout, TheGridFollowsMarginsSpacingsAndTheDocumentKind)
{
    // A4 at 600 dpi, a font of 50 by 100 pixels.
    const PrintDevice a4{600, 600, 4960, 7016};
    const PrintFontMetrics font{50, 100};
    PageLayout layout; // margins 5, 10, 5, 10 mm
    const auto binary = ComputePrintGeometry(layout, a4, font, true, 0);
    ASSERT_TRUE(binary);
    EXPECT_EQ(118, binary->marginLeft);   // 50 * 600 / 254
    EXPECT_EQ(236, binary->marginTop);
    EXPECT_EQ(50, binary->charPitch);
    EXPECT_EQ(100, binary->linePitch);
    EXPECT_EQ((4960 - 236) / 50, binary->charsPerLine);
    EXPECT_EQ((7016 - 472) / 100 - 2, binary->linesPerPage); // heading and empty row
    EXPECT_EQ(6, binary->lineNumberColumns);

    const auto text = ComputePrintGeometry(layout, a4, font, false, 250);
    ASSERT_TRUE(text);
    EXPECT_EQ(binary->linesPerPage + 2, text->linesPerPage);
    EXPECT_EQ(binary->charsPerLine - 6, text->charsPerLine);
    EXPECT_EQ(40, ComputePrintGeometry(layout, a4, font, false, 40)->charsPerLine);
    layout.printLineNumbers = 0;
    EXPECT_EQ(binary->charsPerLine, ComputePrintGeometry(layout, a4, font, false, 250)->charsPerLine);

    // Spacings widen the pitch; the number column keeps six characters' width.
    layout.charSpacing = 10;
    layout.lineSpacing = 35;
    const auto spaced = ComputePrintGeometry(layout, a4, font, false, 250);
    ASSERT_TRUE(spaced);
    EXPECT_EQ(50 + 23, spaced->charPitch);
    EXPECT_EQ(100 + 82, spaced->linePitch);
    EXPECT_EQ(5, spaced->lineNumberColumns); // ceiling(300 / 73)

    // Paper too small for the margins, or for two characters and a line.
    PageLayout wide;
    for (int32_t* margin : {&wide.marginLeft, &wide.marginTop, &wide.marginRight, &wide.marginBottom}) {
        PageLayout huge = wide;
        *(margin - &wide.marginLeft + &huge.marginLeft) = 10'000;
        EXPECT_FALSE(ComputePrintGeometry(huge, a4, font, true, 0));
    }
    EXPECT_FALSE(ComputePrintGeometry(wide, {600, 600, 236 + 99, 7016}, font, true, 0));
    EXPECT_TRUE(ComputePrintGeometry(wide, {600, 600, 236 + 100, 7016}, font, true, 0));
    EXPECT_FALSE(ComputePrintGeometry(wide, {600, 600, 4960, 472 + 299}, font, true, 0));
    EXPECT_TRUE(ComputePrintGeometry(wide, {600, 600, 4960, 472 + 299}, font, false, 250));
    wide.charSpacing = -1000;
    EXPECT_FALSE(ComputePrintGeometry(wide, a4, font, true, 0));
}

TEST(PrintLayout, PagesTakeTheirDumpLinesInTurn)
{
    EXPECT_EQ(0u, PrintPageCount(0, 60));
    EXPECT_EQ(1u, PrintPageCount(60, 60));
    EXPECT_EQ(2u, PrintPageCount(61, 60));
    EXPECT_EQ(71'583u, PrintPageCount(4'294'967'295u, 60'000));

    EXPECT_FALSE(BinaryPageLines(0, 60, 0)); // an empty document prints no page
    const auto first = BinaryPageLines(0, 60, 130);
    ASSERT_TRUE(first);
    EXPECT_EQ(0u, first->first);
    EXPECT_EQ(59u, first->last);
    const auto last = BinaryPageLines(2, 60, 130);
    ASSERT_TRUE(last);
    EXPECT_EQ(120u, last->first);
    EXPECT_EQ(129u, last->last);
    EXPECT_FALSE(BinaryPageLines(3, 60, 130));

    // A selection starts at its own first line and stops at its last.
    const auto part = BinaryPageLines(1, 60, 1000, DumpLineRange{500, 600});
    ASSERT_TRUE(part);
    EXPECT_EQ(560u, part->first);
    EXPECT_EQ(600u, part->last);
    const auto within = BinaryPageLines(0, 60, 1000, DumpLineRange{7, 7});
    ASSERT_TRUE(within); // less than one line selected: one data line
    EXPECT_EQ(7u, within->first);
    EXPECT_EQ(7u, within->last);
    EXPECT_FALSE(BinaryPageLines(1, 60, 1000, DumpLineRange{7, 7}));
    EXPECT_FALSE(BinaryPageLines(4'000'000'000u, 60, 1000));
}

TEST(PrintLayout, HeaderAndFooterBandsSitInsideTheSideMargins)
{
    PrintGeometry g;
    g.marginLeft = 100;
    g.marginRight = 50;
    const PrintRect page{0, 0, 1000, 2000};
    const PrintRect header = HeaderRect(page, g, 40);
    EXPECT_EQ(100, header.left);
    EXPECT_EQ(950, header.right);
    EXPECT_EQ(0, header.top);
    EXPECT_EQ(50, header.bottom);
    const PrintRect footer = FooterRect(page, g, 40);
    EXPECT_EQ(1950, footer.top);
    EXPECT_EQ(2000, footer.bottom);
    g.marginLeft = 600;
    g.marginRight = 400;
    EXPECT_TRUE(HeaderRect(page, g, 40).empty());
}

} // namespace
