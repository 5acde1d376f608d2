// The common settings command as a user runs it: from the menu command, keys
// to the focused control, the colour dialog and the range message answered
// through the real windows, and every open view following at once.
#include "FrameFixture.h"
#include "app/ProgramData.h"
#include "doc/CLumoDoc.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CCommonSettingsDialog.h"
#include "frame/widgets/CDocTabBar.h"
#include "platform/widgets/ColorRef.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

namespace {

struct CommonSettingsDialogTest : UserFrameFixture
{
    void TearDown() override
    {
        UserFrameFixture::TearDown();
        g_programData = ProgramData();
    }
    static CLumoBV* paneOf(CLumoDoc* doc)
    {
        return static_cast<CLumoView*>(doc->views().front())->hexPane();
    }
    // Pixels of the pane drawn in the first colouring byte's default red.
    static int redPixels(CLumoBV* pane)
    {
        const QImage image = pane->viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() < 60 && c.blue() < 60)
                    ++count;
        return count;
    }
    // A key that opens a modal window runs after the step has returned, so
    // the answerer goes on polling while that window is up.
    static void pressLater(Qt::Key key)
    {
        QTimer::singleShot(0, [key] { press(key); });
    }
};

} // namespace

// Eight bytes a line, byte 0xAB coloured, a long title and the tab bar
// switched off, a marked-position colour chosen in the colour dialog: both
// documents' views follow, and the custom colours go in and come back.
TEST_F(CommonSettingsDialogTest, BothViewsFollowTheDialogAtOnce)
{
    std::string bytes(400, '\0');
    bytes[2] = '\xAB';
    CLumoDoc* a = open("a.bin", bytes);
    CLumoDoc* b = open("b.bin", bytes);
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(frame->runCommand(cmd::WindowTile));
    g_programData.customColours[0] = 0x123456;
    EXPECT_EQ(redPixels(paneOf(a)), 0);

    CModalAnswerer answer({[](QWidget* modal) {
                               press({{Qt::Key_C, Qt::AltModifier}, {Qt::Key_A, kCtrl}});
                               typeKeys("8");
                               press(Qt::Key_A, Qt::AltModifier);
                               typeKeys("AB");
                               for (QCheckBox* box : modal->findChildren<QCheckBox*>())
                                   if (box->text().contains("(&F)") || box->text().contains("(&W)"))
                                       QTest::mouseClick(box, Qt::LeftButton);
                               press(Qt::Key_M, Qt::AltModifier);
                               pressLater(Qt::Key_Space);
                           },
                           [](QWidget* modal) {
                               auto* colours = qobject_cast<QColorDialog*>(modal);
                               ASSERT_TRUE(colours);
                               EXPECT_EQ(RefFromColor(QColorDialog::customColor(0)), 0x123456u);
                               colours->setCurrentColor(ColorFromRef(0x00FF00));
                               QColorDialog::setCustomColor(1, ColorFromRef(0x0000AA));
                               press(Qt::Key_Return);
                           },
                           CModalAnswerer::Press(Qt::Key_Return)});
    ASSERT_TRUE(frame->runCommand(cmd::CommonSettings));
    EXPECT_TRUE(answer.done());
    EXPECT_FALSE(answer.stuck);

    EXPECT_EQ(g_settings.BytesPerLine, 8);
    EXPECT_EQ(g_settings.Binary1InEffect, 0xAB);
    EXPECT_EQ(g_settings.MarkedPosColor, 0x00FF00);
    EXPECT_EQ(g_programData.customColours[1], 0x0000AAu);
    EXPECT_EQ(a->GetTitle(), "a.bin");
    EXPECT_FALSE(frame->tabBar()->isVisible());
    for (CLumoDoc* doc : {a, b}) {
        CLumoBV* pane = paneOf(doc);
        EXPECT_EQ(pane->verticalScrollBar()->maximum(), 50 - pane->visibleLines() + 1);
        EXPECT_GT(redPixels(pane), 0);
    }
}

// Not offered over a text document. OK with a colouring byte of three
// digits beeps and selects it; with a count out of range it names the range;
// the dialog stays open both times, and Cancel leaves every setting as it was.
TEST_F(CommonSettingsDialogTest, OkRefusesBadBytesAndCountsAndCancelKeepsAll)
{
    ASSERT_TRUE(frame->openTextDocument(makeFile("t.txt", "line\r\n"), 1, 1));
    EXPECT_FALSE(enabled(cmd::CommonSettings));
    ASSERT_TRUE(open("a.bin", std::string(40, 'x')));
    ASSERT_TRUE(enabled(cmd::CommonSettings));
    const CSettings before = g_settings;
    QWidget* dialog = nullptr;
    CModalAnswerer answer({[&dialog](QWidget* modal) {
                               dialog = modal;
                               press(Qt::Key_B, Qt::AltModifier);
                               typeKeys("abc");
                               press(Qt::Key_Return);
                               EXPECT_TRUE(modal->isVisible());
                               auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                               ASSERT_TRUE(field);
                               EXPECT_EQ(field->selectedText(), "abc");
                               typeKeys("1F");
                               press({{Qt::Key_C, Qt::AltModifier}, {Qt::Key_A, kCtrl}});
                               typeKeys("70");
                               pressLater(Qt::Key_Return);
                           },
                           CModalAnswerer::Press(Qt::Key_Return),
                           [&dialog](QWidget* modal) {
                               EXPECT_EQ(modal, dialog);
                               auto* count = qobject_cast<QSpinBox*>(QApplication::focusWidget());
                               ASSERT_TRUE(count);
                               EXPECT_EQ(count->findChild<QLineEdit*>()->selectedText(), "70");
                               press(Qt::Key_Escape);
                           }});
    ASSERT_TRUE(frame->runCommand(cmd::CommonSettings));
    EXPECT_TRUE(answer.done());
    EXPECT_FALSE(answer.stuck);
    EXPECT_EQ(answer.text(), "5 から 64 までの整数を入力してください。");
    EXPECT_EQ(g_settings.BytesPerLine, before.BytesPerLine);
    EXPECT_EQ(g_settings.Binary2, before.Binary2);
}
