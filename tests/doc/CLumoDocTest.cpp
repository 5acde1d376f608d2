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

TEST(CLumoDoc, RowAndLineConvertThroughTheRowBreakTable)
{
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    // Rows 0-1 are line 0 (row 1 folded), 2-3 line 1, 4 line 2, 5-6 line 3.
    const uint8_t breaks[] = {0, 0, 1, 0, 1, 1, 0};
    doc->m_nRowCount = sizeof breaks;
    std::copy(std::begin(breaks), std::end(breaks), doc->m_pRowBreak);
    const uint32_t firstRowOfLine[] = {0, 2, 4, 5, 7};
    for (uint32_t line = 0; line < 5; ++line)
        EXPECT_EQ(firstRowOfLine[line], doc->RowOfLine(line)) << "line " << line;
    const uint32_t lineOfRow[] = {0, 0, 1, 1, 2, 3, 3, 4};
    for (uint32_t row = 0; row < 8; ++row)
        EXPECT_EQ(lineOfRow[row], doc->LineOfRow(row)) << "row " << row;
    doc->m_nRowCount = 0;
    EXPECT_EQ(0u, doc->RowOfLine(3));
}

TEST(CLumoDoc, ReserveRowsGrowsBothTablesUpToTheLimit)
{
    doctest::CLimitGuard guard;
    g_nMaxRows = 10'000;
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    EXPECT_EQ(CFileImage::Fits, doc->ReserveRows(1'997));
    doc->m_pRowStart[1'999] = 12345;
    doc->m_pRowBreak[1'999] = 1;
    EXPECT_EQ(CFileImage::Grown, doc->ReserveRows(1'998));
    EXPECT_EQ(12345u, doc->m_pRowStart[1'999]);
    EXPECT_EQ(1, doc->m_pRowBreak[1'999]);
    doc->m_pRowBreak[doc->m_nRowCapacity - 1] = 1; // the break table really has the new size
    EXPECT_EQ(CFileImage::OverLimit, doc->ReserveRows(10'001));
    EXPECT_EQ(CFileImage::Grown, doc->ReserveRows(9'999));
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
    EXPECT_EQ(8, doc->m_nTabWidth);
    doc->RemoveView(&view);
    g_cabinet = saved;
}

} // namespace
