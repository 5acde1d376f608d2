#include "DocTestSupport.h"

#include "doc/CabinetSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(CLumoDoc, ModeIsTakenOnceFromTheNextDocumentModeWhichThenReturnsToText)
{
    g_nNextDocMode = CLumoDoc::kBinaryMode;
    EXPECT_EQ(CLumoDoc::kBinaryMode, TakeNextDocMode());
    EXPECT_EQ(CLumoDoc::kTextMode, TakeNextDocMode());

    g_bResetNextDocMode = false; // as while files are dropped
    g_nNextDocMode = CLumoDoc::kBinaryMode;
    EXPECT_EQ(CLumoDoc::kBinaryMode, TakeNextDocMode());
    EXPECT_EQ(CLumoDoc::kBinaryMode, TakeNextDocMode());
    g_bResetNextDocMode = true;
    g_nNextDocMode = CLumoDoc::kTextMode;
}

TEST(CRowTable, RowsAndLinesConvertAndGrowingKeepsEveryRow)
{
    CRowTable rows;
    ASSERT_TRUE(rows.Allocate());
    // Rows 0-1 are line 0 (row 1 folded), 2-3 line 1, 4 line 2, 5-6 line 3.
    const bool breaks[] = {false, false, true, false, true, true, false};
    for (uint32_t row = 0; row < std::size(breaks); ++row)
        rows.Set(row, row * 10, breaks[row]);
    const uint32_t firstRowOfLine[] = {0, 2, 4, 5, 7};
    for (uint32_t line = 0; line < 5; ++line)
        EXPECT_EQ(firstRowOfLine[line], rows.RowOfLine(line)) << "line " << line;
    const uint32_t lineOfRow[] = {0, 0, 1, 1, 2, 3, 3, 4};
    for (uint32_t row = 0; row < 8; ++row)
        EXPECT_EQ(lineOfRow[row], rows.LineOfRow(row)) << "row " << row;

    EXPECT_EQ(CFileImage::Fits, rows.Reserve(1'997, 10'000));
    rows.Set(1'999, 12345, true);
    EXPECT_EQ(CFileImage::Grown, rows.Reserve(1'998, 10'000));
    EXPECT_EQ(4'000u, rows.Capacity());
    EXPECT_EQ(12345u, rows.Start(1'999));
    EXPECT_TRUE(rows.BeginsLine(1'999));
    EXPECT_EQ(50u, rows.Start(5));
    rows.Set(3'999, 1, true); // the break table really has the new size
    EXPECT_EQ(CFileImage::OverLimit, rows.Reserve(10'001, 10'000));
    EXPECT_EQ(CFileImage::Grown, rows.Reserve(9'999, 10'000));
    EXPECT_EQ(12'000u, rows.Capacity());
    rows.Clear();
    EXPECT_EQ(0u, rows.RowOfLine(3));
}

TEST(CLumoDoc, ResetLayoutCopiesTheCabinetAndFlagsAFontChange)
{
    const CCabinetSettings saved = g_cabinet;
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    doctest::CHintView view;
    doc->AddView(&view);
    g_cabinet.nTabWidth = 8;
    g_cabinet.font.lfHeight = 20;
    doc->ResetLayout(72);
    doc->ResetLayout(0);
    EXPECT_EQ((std::vector<int>{CLumoDoc::kHintLayoutReset, CLumoDoc::kHintLayoutReset}), view.hints);
    EXPECT_NE(nullptr, view.objects[0]) << "font changed";
    EXPECT_EQ(nullptr, view.objects[1]) << "same font again";
    EXPECT_EQ(g_cabinet.nFoldColumn, doc->FoldColumn());
    EXPECT_EQ(8, doc->TabWidth());
    EXPECT_EQ(20, doc->Font().lfHeight);
    doc->RemoveView(&view);
    g_cabinet = saved;
}

} // namespace

namespace {

// A store that grows tells a text document's views that it moved (17), a
// binary document's that the data must be laid out again (128).
TEST(CLumoDoc, GrowingTheStoreTellsEachKindOfViewItsOwnHint)
{
    for (const int mode : {CLumoDoc::kTextMode, CLumoDoc::kBinaryMode}) {
        auto doc = doctest::MakeDoc(mode);
        doctest::CHintView view;
        doc->AddView(&view);
        const std::vector<uint8_t> bytes(4u << 20, 'x');
        ASSERT_TRUE(doc->InsertBytes(0, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr));
        doc->RemoveView(&view);
        const int expected = mode == CLumoDoc::kTextMode ? CLumoDoc::kHintStorageMoved : CLumoDoc::kHintBinaryLoaded;
        EXPECT_EQ(std::count(view.hints.begin(), view.hints.end(), expected), 1) << "mode " << mode;
    }
}

} // namespace
