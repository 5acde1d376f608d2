// The hex pane driven as a user drives it: real key and mouse events on the
// widget, checked against the document's bytes, the caret and the status texts.
#include "app/Settings.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/DumpGeometry.h"
#include "doc/CLumoDoc.h"
#include "doc/DocTestSupport.h"
#include "doc/widgets/ViewFont.h"
#include "support/CRecordingSink.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct HexPaneInput : ::testing::Test
{
    void SetUp() override
    {
        g_settings = CSettings();
        g_bOverwrite = false;
    }
    void TearDown() override
    {
        pane.reset();
        doc.reset();
        g_settings = CSettings();
        g_bOverwrite = false;
    }

    void open(const std::string& bytes)
    {
        doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
        doctest::Fill(*doc, doctest::Bytes(bytes.begin(), bytes.end()));
        pane = std::make_unique<CLumoBV>(doc.get(), MakeViewFont(doc->Font(), 96));
        pane->resize(900, 500);
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

    CRecordingSink sink;
    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CLumoBV> pane;
};

} // namespace

TEST_F(HexPaneInput, TypedDigitsInsertBytesAndTheStatusPanesFollowTheCaret)
{
    open("ABC");
    QSignalSpy status(pane.get(), &CLumoBV::statusTextsChanged);
    QTest::keyClicks(pane.get(), "4");
    EXPECT_EQ(bytes(), "\x04" "ABC"); // the first digit shows as the low digit
    QTest::keyClicks(pane.get(), "1");
    EXPECT_EQ(bytes(), "AABC");
    EXPECT_EQ(pane->caretOffset(), 1u);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().value(0).toString(), "0x00000001");
    EXPECT_EQ(status.last().value(1).toString(), "00000001");
    EXPECT_EQ(status.last().value(2).toString(), "065");

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

TEST_F(HexPaneInput, TabMovesToTheCharacterPartWhereCharactersAreTyped)
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

TEST_F(HexPaneInput, MouseDragSelectsAndShiftArrowsExtend)
{
    open(std::string(64, 'a'));
    QTest::mousePress(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(2, 2));
    QTest::mouseMove(pane->viewport(), cellPoint(5, 2));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(5, 2));
    ASSERT_TRUE(pane->model().hasSelection());
    EXPECT_EQ(pane->model().m_nSelStart, 2u);
    EXPECT_EQ(pane->model().m_nSelEnd, 4u);
    EXPECT_FALSE(pane->caretShown()); // the caret hides while a selection shows

    QTest::keyClick(pane.get(), Qt::Key_Escape);
    EXPECT_FALSE(pane->model().hasSelection());
    QTest::keyClick(pane.get(), Qt::Key_Home);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(pane.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(pane->model().m_nSelStart, 0u);
    EXPECT_EQ(pane->model().m_nSelEnd, 2u);

    // Delete removes the selection.
    QTest::keyClick(pane.get(), Qt::Key_Delete);
    EXPECT_EQ(doc->DataSize(), 61u);
}

TEST_F(HexPaneInput, CopyAndPasteKeepZeroBytesInsideTheProgram)
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

TEST_F(HexPaneInput, ReadOnlyDocumentRefusesEveryEditWithABeep)
{
    open("ABC");
    doc->SetReadOnly(true);
    QTest::keyClicks(pane.get(), "12");
    QTest::keyClick(pane.get(), Qt::Key_Delete);
    QTest::keyClick(pane.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(bytes(), "ABC");
    EXPECT_GE(sink.beeps.size(), 3u);
}
