// The rulers in the frame, driven with real mouse events: the wrap marker's
// drag rewraps the document, the line ruler selects whole lines, and the
// ruler commands show and hide the rulers of every text view.
#include "../../frame/widgets/FrameFixture.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoView.h"
#include "frame/MenuTable.h"
#include "platform/Cp932.h"
#include "textpane/widgets/CLineBar.h"
#include "textpane/widgets/CLumoEV.h"
#include "textpane/widgets/CRulerBar.h"

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QImage>

#include <cstdlib>

namespace {

struct Rulers : FrameFixture
{
    // A text document in a window of its own, both rulers on.
    void open(const std::string& text)
    {
        g_settings.DisplayRulerBar = 1;
        g_settings.DisplayLineBar = 1;
        doc = frame->openTextDocument(makeFile("t.txt", text), 1, 1);
        ASSERT_TRUE(doc);
        view = viewOf(0);
        pane = view->textPane();
        ASSERT_TRUE(pane && view->columnRuler() && view->lineRuler());
        QApplication::processEvents();
    }
    // The command's action as the menu shows it now.
    QAction* command(uint16_t id) const
    {
        QAction* act = frame->commands().action(id);
        frame->commands().updateStates(frame->commandContext());
        return act;
    }
    CLumoView* viewOf(size_t index) const { return dynamic_cast<CLumoView*>(doc->views().at(index)); }
    // The middle of a display row on the line ruler.
    QPoint rowPoint(uint32_t row) const
    {
        return QPoint(view->lineRuler()->width() / 2,
                      pane->topMarginPx() + static_cast<int>(row - pane->topLine()) * pane->lineHeight()
                          + pane->lineHeight() / 2);
    }
    std::string copied()
    {
        QGuiApplication::clipboard()->clear();
        frame->runCommand(cmd::EditCopy);
        return cp932::FromUtf8(QGuiApplication::clipboard()->text().toStdString());
    }

    CLumoDoc* doc = nullptr;
    CLumoView* view = nullptr;
    CLumoEV* pane = nullptr;
};

TEST_F(Rulers, DraggingTheWrapMarkerRewrapsTheDocument)
{
    open(std::string(120, 'a') + "\r\n" + std::string(60, 'b') + "\r\nend");
    CRulerBar* bar = view->columnRuler();
    const uint32_t wrap = bar->wrapColumn();
    const uint32_t rows = doc->Rows().Count();
    ASSERT_LT(rows, 6u);
    const auto at = [&](uint32_t column) { return QPoint(bar->grid().leftOf(column) + 1, bar->height() - 2); };

    // Released where it started: nothing changes.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at(wrap));
    EXPECT_TRUE(bar->dragging());
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, at(wrap));
    EXPECT_FALSE(bar->dragging());
    EXPECT_EQ(doc->Rows().Count(), rows);

    // To column 50: the long lines wrap into more rows.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at(wrap));
    QTest::mouseMove(bar, at(50));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, at(50));
    EXPECT_EQ(doc->FoldColumn(), 50);
    EXPECT_EQ(bar->wrapColumn(), 50u);
    EXPECT_EQ(doc->Rows().Count(), 3u + 2u + 1u);

    // Beyond the left end it stops at 10 columns; a press off the marker does nothing.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at(50));
    QTest::mouseMove(bar, QPoint(1, bar->height() - 2));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(1, bar->height() - 2));
    EXPECT_EQ(doc->FoldColumn(), 10);
    EXPECT_EQ(doc->Rows().Count(), 12u + 6u + 1u);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at(30));
    EXPECT_FALSE(bar->dragging());
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, at(30));
}

TEST_F(Rulers, TheLineRulerSelectsWholeLinesAndFollowsTheCaret)
{
    const std::string text = "zero\r\none\r\n\x8a\xbf two\r\nthree\r\nfour";
    open(text);
    CLineBar* bar = view->lineRuler();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, rowPoint(2));
    EXPECT_EQ(copied(), "\x8a\xbf two\r\n");
    EXPECT_EQ(bar->cursorLine(), 3u); // the caret follows the selection's end
    EXPECT_EQ(view->columnRuler()->cursorColumn(), 0u);

    // From row 3 up to row 1: rows 1 to 3 whole.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    QTest::mouseMove(bar, rowPoint(1));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    EXPECT_EQ(copied(), "one\r\n\x8a\xbf two\r\nthree\r\n");
    EXPECT_EQ(bar->cursorLine(), 1u);
    // Shift extends from the same anchor line to the last row.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::ShiftModifier, rowPoint(4));
    EXPECT_EQ(copied(), "three\r\nfour");
    // Keys move the cursor cells of both rulers.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(bar->cursorLine(), 0u);
    EXPECT_EQ(view->columnRuler()->cursorColumn(), 4u);
}

TEST_F(Rulers, TheCommandsShowAndHideTheRulersOfEveryTextView)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + " \x8a\xbf\x8e\x9a\r\n";
    open(text);
    frame->runCommand(cmd::WindowNew);
    CLumoView* other = viewOf(1);
    ASSERT_TRUE(other);
    EXPECT_TRUE(command(cmd::ColumnRuler)->isEnabled());
    EXPECT_TRUE(command(cmd::ColumnRuler)->isChecked());

    if (const char* dir = std::getenv("VEXEL_SHOT_DIR")) {
        view->resize(640, 360);
        QApplication::processEvents();
        view->grab().save(QString::fromLocal8Bit(dir) + "/rulers.png");
    }
    const int rulerHeight = view->columnRuler()->height();
    const int rulerWidth = view->lineRuler()->width();
    EXPECT_GT(rulerHeight, 0);
    EXPECT_EQ(view->textPane()->geometry().topLeft(), QPoint(rulerWidth, rulerHeight));

    for (const uint16_t id : {cmd::ColumnRuler, cmd::LineRuler}) {
        frame->runCommand(id);
        EXPECT_FALSE(command(id)->isChecked());
    }
    for (CLumoView* v : {view, other}) {
        EXPECT_FALSE(v->columnRuler()->isVisible());
        EXPECT_FALSE(v->lineRuler()->isVisible());
        EXPECT_EQ(v->textPane()->geometry(), v->rect());
    }
    frame->runCommand(cmd::ColumnRuler);
    EXPECT_EQ(g_settings.DisplayRulerBar, 1);
    for (CLumoView* v : {view, other}) {
        EXPECT_TRUE(v->columnRuler()->isVisible());
        EXPECT_EQ(v->textPane()->geometry().topLeft(), QPoint(0, rulerHeight));
        // Without the line ruler the scale starts at the pane's left margin.
        EXPECT_EQ(v->columnRuler()->grid().leftOf(0), v->textPane()->leftMarginPx());
    }
}

} // namespace
