// The page-layout command as a user runs it: keys to the focused field, the
// range message answered through the real box; OK keeps the values in the
// layout the data file holds, a refusal keeps the dialog open on the field.
#include "FrameFixture.h"
#include "app/ProgramData.h"
#include "frame/MenuTable.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

namespace {

struct PageLayoutDialogTest : UserFrameFixture
{
    void TearDown() override
    {
        UserFrameFixture::TearDown();
        g_programData = ProgramData();
    }
    static void pressLater(Qt::Key key)
    {
        QTimer::singleShot(0, [key] { press(key); });
    }
};

TEST_F(PageLayoutDialogTest, OkKeepsTheValuesAndRefusalsKeepTheFocus)
{
    EXPECT_FALSE(enabled(cmd::PageLayout)); // no document to lay out
    ASSERT_TRUE(open("a.bin", "abc"));
    ASSERT_TRUE(enabled(cmd::PageLayout));
    g_programData.page.lineSpacing = 7; // no item shows it
    QWidget* dialog = nullptr;
    CModalAnswerer answer({[&dialog](QWidget* modal) {
                               dialog = modal;
                               press({{Qt::Key_T, Qt::AltModifier}, {Qt::Key_A, kCtrl}});
                               typeKeys("1001"); // past 1000 mm
                               pressLater(Qt::Key_Return);
                           },
                           CModalAnswerer::Press(Qt::Key_Return),
                           [&dialog](QWidget* modal) {
                               EXPECT_EQ(modal, dialog);
                               EXPECT_TRUE(qobject_cast<QSpinBox*>(QApplication::focusWidget()));
                               typeKeys("25");
                               press(Qt::Key_Return); // the line spacing shows no item: a beep
                               EXPECT_TRUE(modal->isVisible());
                               auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
                               ASSERT_TRUE(combo);
                               press(Qt::Key_Down); // "0", then "+0.5 mm"
                               press(Qt::Key_Down);
                               press({{Qt::Key_H, Qt::AltModifier}, {Qt::Key_A, kCtrl}});
                               QWidget* header = QApplication::focusWidget();
                               typeKeys(std::string(81, 'x').c_str());
                               press(Qt::Key_Return); // 81 bytes: a beep, the text selected
                               EXPECT_EQ(QApplication::focusWidget(), header);
                               EXPECT_EQ(qobject_cast<QLineEdit*>(header)->selectedText().size(), 81);
                               typeKeys("Page &p");
                               press({{Qt::Key_N, Qt::AltModifier}, {Qt::Key_A, kCtrl}});
                               typeKeys("0");
                               press(Qt::Key_Return);
                           }});
    ASSERT_TRUE(frame->runCommand(cmd::PageLayout));
    EXPECT_TRUE(answer.done());
    EXPECT_FALSE(answer.stuck);
    EXPECT_EQ(answer.text(), "0 から 1000 までの整数を入力してください。");
    const PageLayout& page = g_programData.page;
    EXPECT_EQ(page.marginTop, 250);
    EXPECT_EQ(page.marginBottom, PageLayout().marginBottom);
    EXPECT_EQ(page.lineSpacing, 5);
    EXPECT_EQ(page.headerTemplate, "Page &p");
    EXPECT_EQ(page.firstLineNumber, 0);
    EXPECT_EQ(page.footerTemplate, PageLayout().footerTemplate);
}

} // namespace
