// The hex pane widget driven as a user drives it: real key and mouse events
// and scroll-bar requests, checked against the document's bytes, the caret,
// the status texts and the pixels drawn.
#include "app/Settings.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/DumpGeometry.h"
#include "binpane/PaneTestSupport.h"
#include "doc/CLumoDoc.h"
#include "doc/DocTestSupport.h"
#include "doc/widgets/ViewFont.h"
#include "support/CRecordingSink.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct HexPane : ::testing::Test
{
    void SetUp() override
    {
        g_settings = CSettings();
        g_bOverwrite = false;
    }

    void open(const std::string& bytes, QSize size = QSize(900, 500))
    {
        pane.reset();
        doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
        doctest::Fill(*doc, doctest::Bytes(bytes.begin(), bytes.end()));
        pane = std::make_unique<CLumoBV>(doc.get(), MakeViewFont(doc->Font(), 96));
        pane->resize(size);
        pane->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
        pane->setFocus();
    }

    std::string bytes() const
    {
        const doctest::Bytes data = doctest::DataOf(*doc);
        return std::string(data.begin(), data.end());
    }

    // The centre of a byte's high hex digit, or of its character cell.
    QPoint cellPoint(uint32_t offset, int part) const
    {
        const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
        const int column = g.cellColumn(part, static_cast<int>(offset % 16));
        const int line = static_cast<int>(offset / 16 - pane->topLine());
        return QPoint(pane->leftMarginPx() + (column - pane->scrollColumn()) * pane->charWidth()
                          + pane->charWidth() / 2,
                      pane->firstLineY() + line * pane->lineHeight() + pane->lineHeight() / 2);
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

    panetest::CStateGuard state;
    CRecordingSink sink;
    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CLumoBV> pane;
};

} // namespace

TEST_F(HexPane, GeometryAndScrollRangesFollowTheWindowAndTheData)
{
    open(std::string(16 * 1000 + 5, 'A'), QSize(900, 600));
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
    open(std::string(16 * 5, 'A'));
    EXPECT_FALSE(pane->verticalScrollBar()->isEnabled());
    EXPECT_EQ(pane->verticalScroll().maximum, 5);
}

TEST_F(HexPane, HorizontalScrollMovesTheColumnsWhenTheLineIsWiderThanThePane)
{
    g_settings.BytesPerLine = 64;
    open(std::string(64 * 50, '0'), QSize(400, 300));
    ASSERT_GT(pane->horizontalMaximum(), 0);
    pane->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane->scrollColumn(), 10);
    pane->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(pane->scrollColumn(), pane->horizontalMaximum());
}

TEST_F(HexPane, HighlightedByteValuesAreDrawnInTheirColoursByPriority)
{
    std::string bytes(64, '\x11');
    bytes[3] = 0x00;  // line 0: a zero byte, also marked
    bytes[20] = 0x7F; // line 1: the second colouring value
    bytes[40] = 0x22; // line 2: only marked
    open(bytes, QSize(900, 600));
    (void)doc->ToggleBinaryMark(3);
    (void)doc->ToggleBinaryMark(40);
    const CDumpGeometry g = CDumpGeometry::FromSettings(g_settings);
    const QColor red(255, 0, 0), blue(0, 0, 255), magenta(255, 0, 255);

    // Pixels of a colour in the hex cells of byte `column` of a line.
    QImage image = shot();
    const auto colored = [&](uint32_t line, int column, QColor color) {
        return countColor(image, line, g.cellColumn(2, column), g.cellColumn(2, column) + 2, color);
    };
    // Without colouring values only the marks are coloured.
    EXPECT_EQ(countColor(image, 0, g.cellColumn(2, 0), g.C, red), 0);
    EXPECT_GT(colored(0, 3, magenta), 0);

    g_settings.Binary1InEffect = 0x00;
    g_settings.Binary2InEffect = 0x7F;
    pane->viewport()->update();
    image = shot();
    // The first colouring value wins over the mark colour; the character column is never coloured.
    EXPECT_EQ(std::tuple(colored(0, 3, red) > 0, colored(0, 3, magenta), colored(1, 4, blue) > 0,
                         colored(2, 8, magenta) > 0, countColor(image, 0, g.C, g.C + 17, red)),
              std::tuple(true, 0, true, true, 0));
}

TEST_F(HexPane, EmptyDocumentShowsTheHeadingAndTheFirstAddressOnly)
{
    open("");
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

TEST_F(HexPane, TypedDigitsInsertBytesAndTheStatusPanesFollowTheCaret)
{
    open("ABC");
    QSignalSpy status(pane.get(), &CLumoBV::statusTextsChanged);
    QTest::keyClicks(pane.get(), "4");
    EXPECT_EQ(bytes(), "\x04" "ABC"); // the first digit shows as the low digit
    QTest::keyClicks(pane.get(), "1");
    EXPECT_EQ(bytes(), "AABC");
    EXPECT_EQ(pane->caretOffset(), 1u);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last(), (QVariantList{"0x00000001", "00000001", "065"}));

    // Insert toggles overwrite; the caret becomes a block.
    const int barWidth = pane->caretRect().width();
    QTest::keyClick(pane.get(), Qt::Key_Insert);
    EXPECT_TRUE(g_bOverwrite);
    EXPECT_GT(pane->caretRect().width(), barWidth);
    QTest::keyClicks(pane.get(), "ff");
    EXPECT_EQ(bytes(), "A\xFF" "BC");
    // Alt with a letter belongs to the menus and types nothing.
    QTest::keyClick(pane.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(bytes(), "A\xFF" "BC");

    // Undo through the pane's own key takes every keystroke back, redo brings it again.
    for (int i = 0; i < 10 && pane->model().canUndo(); ++i)
        QTest::keyClick(pane.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), "ABC");
    EXPECT_FALSE(pane->model().canUndo());
    while (pane->model().canRedo())
        pane->model().redo();
    EXPECT_EQ(bytes(), "A\xFF" "BC");
}

TEST_F(HexPane, TabMovesToTheCharacterPartWhereCharactersAreTyped)
{
    open("xyz");
    QTest::keyClick(pane.get(), Qt::Key_Tab);
    EXPECT_EQ(pane->focusPart(), 3);
    QTest::keyClicks(pane.get(), "Q");
    EXPECT_EQ(bytes(), "Qxyz");
    // Text committed by the input method arrives as Unicode and is typed as its CP932 bytes.
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("あ"));
    QApplication::sendEvent(pane.get(), &commit);
    EXPECT_EQ(bytes(), "Q\x82\xA0xyz");
}

TEST_F(HexPane, MouseDragSelectsAndShiftArrowsExtend)
{
    open(std::string(64, 'a'));
    QTest::mousePress(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(2, 2));
    QTest::mouseMove(pane->viewport(), cellPoint(5, 2));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(5, 2));
    ASSERT_TRUE(pane->model().hasSelection());
    EXPECT_EQ(std::pair(pane->model().m_nSelStart, pane->model().m_nSelEnd), std::pair(2u, 4u));
    EXPECT_FALSE(pane->caretShown()); // the caret hides while a selection shows

    QTest::keyClick(pane.get(), Qt::Key_Escape);
    EXPECT_FALSE(pane->model().hasSelection());
    QTest::keyClick(pane.get(), Qt::Key_Home);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(pane.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(std::pair(pane->model().m_nSelStart, pane->model().m_nSelEnd), std::pair(0u, 2u));

    // Delete removes the selection.
    QTest::keyClick(pane.get(), Qt::Key_Delete);
    EXPECT_EQ(doc->DataSize(), 61u);
}

TEST_F(HexPane, CopyAndPasteKeepZeroBytesInsideTheProgram)
{
    open(std::string("\x41\x00\x42", 3));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(pane.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(pane.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB");
    QTest::keyClick(pane.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(pane.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(bytes(), std::string("\x41\x00\x42\x41\x00\x42", 6));

    // Text another program put there is pasted as its CP932 bytes.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("日"));
    QTest::keyClick(pane.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(bytes().substr(6), "\x93\xFA");
}

TEST_F(HexPane, ReadOnlyDocumentRefusesEveryEditWithABeep)
{
    open("ABC");
    QTest::keyClicks(pane.get(), "4");
    QTest::keyClick(pane.get(), Qt::Key_Z, Qt::ControlModifier);
    doc->SetReadOnly(true);
    doc->SetModifiedFlag(false);
    QTest::keyClick(pane.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(pane.get(), Qt::Key_X, Qt::ControlModifier); // the cut keys still copy
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "A");
    QTest::keyClicks(pane.get(), "12");
    QTest::keyClick(pane.get(), Qt::Key_Delete);
    QTest::keyClick(pane.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(pane.get(), Qt::Key_Tab);
    QTest::keyClick(pane.get(), Qt::Key_Return); // a line break in the character part
    pane->model().redo();
    EXPECT_EQ(bytes(), "ABC");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(pane->model().canRedo());
    EXPECT_EQ(sink.beeps.size(), 7u);
}
