// The text pane in its view, driven as a user drives it: keys delivered to the
// focused widget, mouse drags, the view's commands and the pixels drawn.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "doc/widgets/CLumoView.h"
#include "platform/Cp932.h"
#include "support/CRecordingSink.h"
#include "textpane/TextBox.h"
#include "textpane/TextColours.h"
#include "textpane/widgets/CLumoEV.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using Position = CTextCaretModel::Position;

struct TextPane : ::testing::Test
{
    ~TextPane() override
    {
        view.reset();
        g_cabinet = cabinet;
    }

    // A text document loaded as a file is, shown in its view with the focus.
    void open(const std::string& text, QSize size = QSize(600, 400))
    {
        view.reset();
        doc = std::make_unique<CLumoDoc>(CLumoDoc::kTextMode);
        view = std::make_unique<CLumoView>(doc.get());
        std::FILE* file = std::tmpfile();
        ASSERT_TRUE(file);
        std::fwrite(text.data(), 1, text.size(), file);
        std::rewind(file);
        ASSERT_TRUE(doc->LoadFrom(file, text.size()));
        std::fclose(file);
        view->resize(size);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->activateWindow();
        view->setFocus();
        pane = view->textPane();
        ASSERT_TRUE(pane);
        ASSERT_EQ(QApplication::focusWidget(), pane);
    }
    Position key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        return pane->model().caret();
    }
    // The centre of a cell of the viewport.
    QPoint cell(uint32_t column, uint32_t line) const
    {
        return QPoint(pane->leftMarginPx() + static_cast<int>(column - pane->scrollColumn()) * pane->charWidth()
                          + pane->charWidth() / 2,
                      pane->topMarginPx() + static_cast<int>(line - pane->topLine()) * pane->lineHeight()
                          + pane->lineHeight() / 2);
    }
    std::string clipboardBytes() const
    {
        return cp932::FromUtf8(QGuiApplication::clipboard()->text().toStdString());
    }

    CCabinetSettings cabinet = g_cabinet;
    CRecordingSink sink;
    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CLumoView> view;
    CLumoEV* pane = nullptr;
};

} // namespace

TEST_F(TextPane, KeysDragAndCopyGiveTheExactBytes)
{
    const std::string text = "abc\r\n\x8a\xbf\x8e\x9ax\r\nlast line";
    open(text);
    EXPECT_EQ(key(Qt::Key_Down), (Position{0, 1}));
    EXPECT_EQ(key(Qt::Key_Right), (Position{2, 1}));   // over a kanji
    EXPECT_EQ(key(Qt::Key_Up), (Position{2, 0}));
    EXPECT_EQ(key(Qt::Key_End, Qt::ControlModifier), (Position{9, 2}));
    EXPECT_EQ(key(Qt::Key_Left, Qt::ControlModifier), (Position{5, 2}));
    QTest::keyClicks(QApplication::focusWidget(), "q"); // read-only: a beep, no change
    EXPECT_EQ(sink.beeps.size(), 1u);
    EXPECT_EQ(doc->DataSize(), text.size());

    // A drag from the second cell of line 0 to inside 字 selects whole units.
    QTest::mousePress(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cell(1, 0));
    QTest::mouseMove(pane->viewport(), cell(3, 1));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cell(3, 1));
    EXPECT_TRUE(view->hasSelection());
    EXPECT_FALSE(pane->caretShown());
    QGuiApplication::clipboard()->clear();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardBytes(), text.substr(1, 8));
    key(Qt::Key_Escape);
    EXPECT_FALSE(view->hasSelection());

    // The view's commands run on the pane.
    view->runCommand(CLumoView::Command::SelectAll);
    view->runCommand(CLumoView::Command::Copy);
    EXPECT_EQ(clipboardBytes(), text);
    view->runCommand(CLumoView::Command::Paste); // a text document takes nothing in, silently
    EXPECT_EQ(sink.beeps.size(), 1u);

    // A new wrap width rewraps; the caret keeps its offset.
    key(Qt::Key_Escape);
    view->moveTextCaret(2, 5);
    EXPECT_EQ(pane->model().caretOffset(), 17u);
    doc->ResetLayout(10);
    EXPECT_EQ(doc->Rows().Count(), 3u);
    EXPECT_EQ(pane->model().caretOffset(), 17u);
}

TEST_F(TextPane, LongTextsScrollAndADoubleByteCharacterTakesTwoCells)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "\x8a\xbf\x8e\x9a" "x line " + std::to_string(i) + "\r\n";
    g_cabinet.bShowCrMarks = 0;
    open(text);
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(pane->model().caret(), (Position{0, 300}));
    EXPECT_EQ(pane->topLine(), 300u - static_cast<uint32_t>(pane->visibleRows()) + 1);
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(pane->topLine(), 0u);

    const QImage image = pane->viewport()->grab().toImage();
    if (const char* dir = std::getenv("VEXEL_SHOT_DIR"))
        image.save(QString::fromLocal8Bit(dir) + "/textpane.png");
    // Ink of line 0 by cell: 漢 and 字 in cells 0-3, x in cell 4, a blank in cell 5.
    const auto inkIn = [&](int fromCell, int toCell) {
        int ink = 0;
        const int top = pane->topMarginPx();
        for (int y = top; y < top + pane->lineHeight(); ++y)
            for (int x = pane->leftMarginPx() + fromCell * pane->charWidth();
                 x < pane->leftMarginPx() + toCell * pane->charWidth(); ++x)
                ink += image.pixelColor(x, y) != QColor(Qt::white);
        return ink;
    };
    EXPECT_GT(inkIn(0, 2), 0);
    EXPECT_GT(inkIn(2, 4), 0);
    EXPECT_GT(inkIn(4, 5), 0);
    EXPECT_EQ(inkIn(5, 6), 0);
    // Selected, the units are inverted over exactly their cells: 4 for the kanji, 1 for x.
    pane->model().extendSelection(0, 5);
    const QImage selected = pane->viewport()->grab().toImage();
    const int y = pane->topMarginPx() + pane->lineHeight() - 1;
    const int x0 = pane->leftMarginPx();
    const int cw = pane->charWidth();
    EXPECT_EQ(selected.pixelColor(x0 + 5 * cw - 1, y), QColor(Qt::black));
    EXPECT_EQ(selected.pixelColor(x0 + 5 * cw, y), QColor(Qt::white));
}

// Output for a document shown in two views is appended once; the view that
// took it moves its caret to the new end, the other keeps its caret and its
// selection on the bytes they stood on.
TEST_F(TextPane, OutputIsAppendedOnceAndEveryViewFollowsIt)
{
    open("abc\r\ndef\r\n");
    CLumoView second(doc.get());
    second.resize(600, 400);
    second.show();
    CLumoEV* other = second.textPane();
    ASSERT_TRUE(other);
    other->model().gotoPosition(1, 1);
    other->model().extendSelection(5, 7);
    doc->AppendOutput("ghi\r\nj");
    const std::string expected = "abc\r\ndef\r\nghi\r\nj";
    const uint8_t* p = doc->GetSpanPointer(0, doc->DataSize());
    EXPECT_EQ(std::string(p, p + doc->DataSize()), expected);
    EXPECT_EQ(doc->Rows().Count(), 4u);
    EXPECT_EQ(pane->model().caret(), (Position{1, 3})) << "the view that appended is at the new end";
    EXPECT_EQ(other->model().caret(), (Position{1, 1})) << "the other kept its place";
    EXPECT_EQ(other->model().selection(), (std::pair<uint32_t, uint32_t>{5, 7}));
}

TEST_F(TextPane, ACtrlDragSelectsABoxThatIsDrawnInvertedAndCopiedLineByLine)
{
    g_cabinet.bShowCrMarks = 0;
    open("a\x8a\xbf" "bcdef\r\n\tXYZ\r\nq\r\n");
    QTest::mousePress(pane->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(2, 0));
    QTest::mouseMove(pane->viewport(), cell(5, 2));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(5, 2));
    EXPECT_TRUE(view->hasSelection());
    EXPECT_EQ(pane->model().box(), (CTextBox{0, 2, 2, 5}));

    // Exactly the box's cells are inverted, on every line, past a line's end too.
    const QImage image = pane->viewport()->grab().toImage();
    const auto inverted = [&](uint32_t column, uint32_t line) {
        return image.pixelColor(pane->leftMarginPx() + static_cast<int>(column) * pane->charWidth() + 1,
                                pane->topMarginPx() + static_cast<int>(line + 1) * pane->lineHeight() - 1)
            == QColor(Qt::black);
    };
    EXPECT_TRUE(inverted(2, 0) && inverted(4, 1) && inverted(3, 2));
    EXPECT_FALSE(inverted(1, 0) || inverted(5, 1) || inverted(2, 3));

    // The kanji cut by the left edge and the tab cut by the right one are copied whole.
    QGuiApplication::clipboard()->clear();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardBytes(), "\x8a\xbf" "bc\r\n" "\tX\r\n" "\r\n");
    key(Qt::Key_Escape);
    EXPECT_FALSE(view->hasSelection());
}

TEST_F(TextPane, CtrlShiftDownStartsAutoScrollAndAnyKeyStopsIt)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    open(text);
    const Position bottom = key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(bottom.line, static_cast<uint32_t>(pane->visibleRows() - 1));
    EXPECT_TRUE(pane->autoScrollTimerActive());
    // The key only stops it: its character is swallowed (no read-only beep).
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_FALSE(pane->autoScrollTimerActive());
    EXPECT_EQ(pane->model().caret(), bottom);
    EXPECT_TRUE(sink.beeps.empty());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(sink.beeps.size(), 1u);
}

// C colouring with area comments: a "/*" on one line colours the next line
// up to its "*/" from the document's comment table; the text after it is plain.
TEST_F(TextPane, AnAreaCommentColoursTheLinesItSpans)
{
    const int savedAreaComment = g_settings.ColorAreaComment;
    g_settings.ColorAreaComment = 1;
    g_cabinet.nDocumentType = 1;
    g_cabinet.bShowCrMarks = 0;
    open("/*\r\nWW */ WW\r\n");
    const QImage image = pane->viewport()->grab().toImage();
    const uint32_t comment = CTextColours::Of(g_cabinet).comment;
    const QColor commentColour(comment & 0xFF, (comment >> 8) & 0xFF, (comment >> 16) & 0xFF);
    const auto inks = [&](uint32_t column, uint32_t line, const QColor& colour) {
        const QPoint centre = cell(column, line);
        for (int dx = -pane->charWidth() / 2; dx < pane->charWidth() / 2; ++dx) {
            for (int dy = -pane->lineHeight() / 2; dy < pane->lineHeight() / 2; ++dy) {
                if (image.pixelColor(centre.x() + dx, centre.y() + dy) == colour)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inks(0, 1, commentColour)) << "inside the comment";
    EXPECT_FALSE(inks(6, 1, commentColour)) << "after its end";
    g_settings.ColorAreaComment = savedAreaComment;
}
