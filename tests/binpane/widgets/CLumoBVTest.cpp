#include "app/Settings.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/DumpGeometry.h"
#include "doc/CLumoDoc.h"
#include "doc/DocTestSupport.h"
#include "doc/widgets/ViewFont.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<CLumoDoc> binaryDocument(const std::vector<uint8_t>& bytes)
{
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
    doctest::Fill(*doc, bytes);
    return doc;
}

struct PaneFixture : ::testing::Test
{
    void SetUp() override { g_settings = CSettings(); }
    void TearDown() override { g_settings = CSettings(); }

    void open(const std::vector<uint8_t>& bytes, QSize size = QSize(900, 600))
    {
        doc = binaryDocument(bytes);
        pane = std::make_unique<CLumoBV>(doc.get(), MakeViewFont(doc->Font(), 96));
        pane->resize(size);
        pane->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
    }

    QImage shot() { return pane->viewport()->grab().toImage(); }

    // Pixels of `color` inside the cells [fromColumn, toColumn) of a data line.
    int countColor(const QImage& image, uint32_t line, int fromColumn, int toColumn, QColor color)
    {
        const int top = (static_cast<int>(line) - static_cast<int>(pane->topLine())) * pane->lineHeight()
            + pane->firstLineY();
        int count = 0;
        for (int y = top; y < top + pane->lineHeight() && y < image.height(); ++y)
            for (int x = pane->leftMarginPx() + fromColumn * pane->charWidth();
                 x < pane->leftMarginPx() + toColumn * pane->charWidth() && x < image.width(); ++x)
                count += image.pixelColor(x, y) == color;
        return count;
    }

    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CLumoBV> pane;
};

} // namespace

TEST_F(PaneFixture, GeometryAndScrollRangesFollowTheWindowAndTheData)
{
    open(std::vector<uint8_t>(16 * 1000 + 5, 0x41));
    const int visible = (pane->viewport()->height() - pane->firstLineY()) / pane->lineHeight();
    EXPECT_EQ(pane->visibleLines(), visible);
    EXPECT_EQ(pane->lineCount(), 1001u);
    EXPECT_EQ(pane->verticalScrollBar()->maximum(), 1001 - visible + 1);
    EXPECT_TRUE(pane->verticalScrollBar()->isEnabled());

    // Scroll bar requests move the top line, clamped to the range.
    pane->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane->topLine(), 1u);
    pane->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(pane->topLine(), 1u + static_cast<uint32_t>(visible));
    pane->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(pane->topLine(), static_cast<uint32_t>(1001 - visible + 1));
    EXPECT_EQ(pane->lastVisibleOffset(), 16u * 1000 + 4);
    pane->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(pane->topLine(), 0u);

    // A file whose lines all fit leaves the bar inactive.
    open(std::vector<uint8_t>(16 * 5, 0x41));
    EXPECT_FALSE(pane->verticalScrollBar()->isEnabled());
    EXPECT_EQ(pane->verticalScroll().maximum, 5);
}

TEST_F(PaneFixture, HorizontalScrollMovesTheColumnsWhenTheLineIsWiderThanThePane)
{
    g_settings.BytesPerLine = 64;
    open(std::vector<uint8_t>(64 * 50, 0x30), QSize(400, 300));
    ASSERT_GT(pane->horizontalMaximum(), 0);
    pane->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane->scrollColumn(), 10);
    pane->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(pane->scrollColumn(), pane->horizontalMaximum());
}

TEST_F(PaneFixture, HighlightedByteValuesAreDrawnInTheirColoursByPriority)
{
    std::vector<uint8_t> bytes(64, 0x11);
    bytes[3] = 0x00;  // line 0: a zero byte, also marked
    bytes[20] = 0x7F; // line 1: the second colouring value
    bytes[40] = 0x22; // line 2: only marked
    open(bytes);
    (void)doc->ToggleBinaryMark(3);
    (void)doc->ToggleBinaryMark(40);
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const QColor red(255, 0, 0), blue(0, 0, 255), magenta(255, 0, 255);

    QImage image = shot();
    // Without colouring values only the marks are coloured.
    EXPECT_EQ(countColor(image, 0, g.cellColumn(2, 0), g.C, red), 0);
    EXPECT_GT(countColor(image, 0, g.cellColumn(2, 3), g.cellColumn(2, 3) + 2, magenta), 0);

    g_settings.Binary1InEffect = 0x00;
    g_settings.Binary2InEffect = 0x7F;
    pane->viewport()->update();
    image = shot();
    // The first colouring value wins over the mark colour.
    EXPECT_GT(countColor(image, 0, g.cellColumn(2, 3), g.cellColumn(2, 3) + 2, red), 0);
    EXPECT_EQ(countColor(image, 0, g.cellColumn(2, 3), g.cellColumn(2, 3) + 2, magenta), 0);
    EXPECT_GT(countColor(image, 1, g.cellColumn(2, 4), g.cellColumn(2, 4) + 2, blue), 0);
    EXPECT_GT(countColor(image, 2, g.cellColumn(2, 8), g.cellColumn(2, 8) + 2, magenta), 0);
    // The character column is never coloured.
    EXPECT_EQ(countColor(image, 0, g.C, g.C + 17, red), 0);
}

TEST_F(PaneFixture, EmptyDocumentShowsTheHeadingAndTheFirstAddressOnly)
{
    open({});
    const QImage image = shot();
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const QColor black(0, 0, 0);
    EXPECT_GT(countColor(image, 0, 0, 8, black), 0);          // 00000000
    // No digits, no characters (the caret stands on the first hex cell).
    EXPECT_EQ(countColor(image, 0, 12, g.C + 17, black), 0);
    // The heading line's background is the address line colour.
    const int headingY = pane->firstLineY() - pane->lineHeight() + 1;
    EXPECT_EQ(image.pixelColor(pane->leftMarginPx() + 1, headingY), QColor(0x00, 0xFF, 0x40));
}
