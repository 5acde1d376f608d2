// Printed lines: at the pane's own width they are its display lines, found
// by the line model's rebuild; narrower pages cut narrower; the capacity and
// the cells of a line.
#include "doc/DocTestSupport.h"
#include "textpane/TextLineModel.h"
#include "textpane/TextPrintLines.h"

#include <random>
#include <string>

namespace {

TEST(TextPrintLines, AtThePanesWidthThePrintedLinesAreItsDisplayLines)
{
    std::mt19937 rng(11);
    const std::string pieces[] = {"a", "word ", "\t", "\r\n", "\x81\x42", "\x8a\xbf", ")", "\xb1", "  "};
    for (int round = 0; round < 60; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 400); n > 0; --n)
            text += pieces[rng() % std::size(pieces)];
        const CTextLayout layout{10 + static_cast<uint32_t>(rng() % 40), 2 + static_cast<uint32_t>(rng() % 7),
                                 rng() % 2 == 0, rng() % 2 == 0, "\x81\x42)"};
        auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
        doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
        CTextLineModel model(*doc, layout);
        (void)model.rebuild();
        const CTextWrap wrap(PrintTextLayout(layout, 1000));
        const auto lines = BuildTextPrintLines(*doc, 0, doc->DataSize(), wrap, 100'000);
        ASSERT_TRUE(lines);
        const CRowTable& rows = doc->Rows();
        ASSERT_EQ(lines->size(), text.empty() ? 0u : rows.Count()) << round;
        uint32_t logical = 0;
        for (size_t i = 0; i < lines->size(); ++i) {
            const auto r = static_cast<uint32_t>(i);
            EXPECT_EQ((*lines)[i].start, rows.Start(r)) << round << ' ' << i;
            EXPECT_EQ((*lines)[i].startsLogicalLine, rows.BeginsLine(r) || i == 0) << round << ' ' << i;
            logical += i > 0 && rows.BeginsLine(r);
            EXPECT_EQ((*lines)[i].logicalLine, logical) << round << ' ' << i;
        }
    }
}

TEST(TextPrintLines, NarrowPagesCapacityAndCells)
{
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    const std::string text = std::string(25, 'x') + "\r\nab\tc\r\n\x8a\xbf\x01z";
    doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
    const CTextLayout pane{80, 4, false, true, "\x81\x42"};
    const CTextLayout narrow = PrintTextLayout(pane, 12);
    EXPECT_EQ(10u, narrow.foldColumn); // two cells kept for a hanging character
    EXPECT_EQ(80u, PrintTextLayout(pane, 500).foldColumn);
    const CTextWrap wrap(narrow);
    const auto lines = BuildTextPrintLines(*doc, 0, doc->DataSize(), wrap, 100);
    ASSERT_TRUE(lines);
    ASSERT_EQ(5u, lines->size());
    const uint32_t starts[] = {0, 10, 20, 27, 33};
    const uint32_t logical[] = {0, 0, 0, 1, 2};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(starts[i], (*lines)[i].start) << i;
        EXPECT_EQ(logical[i], (*lines)[i].logicalLine) << i;
        EXPECT_EQ(i == 0 || i >= 3, (*lines)[i].startsLogicalLine) << i;
    }
    EXPECT_FALSE(BuildTextPrintLines(*doc, 0, doc->DataSize(), wrap, 5)); // the table would be full
    // From the middle: numbers count the logical lines before.
    const auto tail = BuildTextPrintLines(*doc, 27, doc->DataSize(), wrap, 100);
    ASSERT_TRUE(tail);
    EXPECT_EQ(1u, tail->front().logicalLine);
    EXPECT_TRUE(tail->front().startsLogicalLine);

    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ("ab  c", TextPrintCells(bytes + 27, 6, wrap));
    EXPECT_EQ("\x8a\xbf z", TextPrintCells(bytes + 33, 4, wrap));
    EXPECT_EQ("", TextPrintCells(bytes + 25, 2, wrap));
}

} // namespace
