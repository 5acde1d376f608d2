// The customise command as a user meets it: the sheet comes up from the
// command, keys are typed into its focused control, its buttons are clicked,
// and its messages appear in real boxes that are answered there.
#include "FrameFixture.h"
#include "frame/KeyAssignment.h"
#include "frame/KeyFileFormat.h"
#include "frame/KeyTable.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CCustomizeSheet.h"
#include "frame/widgets/CKeyboardPage.h"
#include "support/CScopedEnv.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Real boxes for the messages; the beeps counted.
struct CBoxesAndBeeps final : CMessageSink
{
    MsgAnswer showMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                          MsgIcon icon) override
    {
        return boxes.showMessage(text, caption, buttons, icon);
    }
    void beep(int) override { ++beeps; }

    CDialogMessageSink boxes;
    int beeps = 0;
};

struct CustomizeSheetTest : UserFrameFixture
{
    void SetUp() override
    {
        UserFrameFixture::SetUp();
        m_pBoxes = SetMessageSink(&sink);
        QObject::connect(frame.get(), &CMainFrame::customized, frame.get(), [this] { ++customized; });
    }
    void TearDown() override
    {
        SetMessageSink(m_pBoxes);
        UserFrameFixture::TearDown();
        g_keyTable.setDefaults();
    }

    CScopedEnv profileDir{"VEXEL_PROFILE_DIR", dir.path()};
    CBoxesAndBeeps sink;
    CMessageSink* m_pBoxes = nullptr;
    int customized = 0;
};

CKeyboardPage* Page(QWidget* modal)
{
    auto* sheet = qobject_cast<CCustomizeSheet*>(modal);
    EXPECT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), "カスタマイズ");
    return sheet ? sheet->keyboardPage() : nullptr;
}

void Click(QWidget* page, const char* buttonText)
{
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
        if (button->text() == QString::fromUtf8(buttonText))
            return QTest::mouseClick(button, Qt::LeftButton);
    ADD_FAILURE() << "no button " << buttonText;
}

// Clicks the row of the list whose text is `text`.
void ClickRow(QListWidget* list, const char* text)
{
    const QList<QListWidgetItem*> found = list->findItems(QString::fromUtf8(text), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text;
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

QStringList Texts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

bool HasFocus(const QWidget* widget)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus == widget || widget->isAncestorOf(focus);
}

// Replaces the key combo's text, as a user selects it and types over it.
void TypeKey(const char* name)
{
    press(Qt::Key_Y, Qt::AltModifier); // the combo's label
    press(Qt::Key_A, kCtrl);
    typeKeys(name);
}

} // namespace

TEST_F(CustomizeSheetTest, KeysAreAssignedRefusedAndDeletedOnTheKeyboardPage)
{
    ASSERT_NE(open("s.bin", "abc"), nullptr);
    ASSERT_EQ(g_keyTable.add({'Q', KeyKind::Operation, keymod::Ctrl, 0, "gone"}), CKeyTable::AddResult::Added);
    int beepsOnPlainA = 0, beepsOnShiftA = 0;
    CKeyboardPage* page = nullptr;
    CModalAnswerer answer({[&](QWidget* modal) {
                               page = Page(modal);
                               ASSERT_NE(page, nullptr);
                               QListWidget* commands = page->commandList();
                               // Every menu command but the recent list and help.
                               EXPECT_EQ(commands->count(), 37);
                               EXPECT_EQ(commands->item(0)->text(), "新規作成");
                               Click(page, "その他(&O)");
                               EXPECT_EQ(Texts(commands), (QStringList{"検索文字列入力", "次を検索", "前を検索"}));
                               EXPECT_EQ(Texts(page->keyList()), QStringList{"Ctrl+F"});
                               Click(page, "メニュー(&M)");
                               ClickRow(commands, "すべてを選択");
                               EXPECT_EQ(Texts(page->keyList()), QStringList{"Ctrl+A"});

                               TypeKey("A");
                               Click(page, "追加(&A)"); // a bare letter types
                               beepsOnPlainA = sink.beeps;
                               EXPECT_TRUE(HasFocus(page->keyCombo()));
                               Click(page, "[Shift](&S)");
                               Click(page, "追加(&A)"); // so does Shift with a letter
                               beepsOnShiftA = sink.beeps;
                               TypeKey("F5");
                               EXPECT_EQ(page->keyCombo()->currentText(), "F5");
                               Click(page, "追加(&A)");
                               EXPECT_EQ(Texts(page->keyList()), (QStringList{"Ctrl+A", "Shift+F5"}));
                               ClickRow(commands, "コピー");
                               // Shift+F5 is taken: a box, answered by the next step.
                               QTimer::singleShot(0, page, [page] { Click(page, "追加(&A)"); });
                           },
                           CModalAnswerer::Press(Qt::Key_Return),
                           [&](QWidget*) {
                               ClickRow(page->commandList(), "すべてを選択");
                               ClickRow(page->keyList(), "Ctrl+A");
                               Click(page, "削除(&D)");
                               EXPECT_EQ(Texts(page->keyList()), QStringList{"Shift+F5"});
                               Click(page, "削除(&D)"); // no key chosen
                               EXPECT_TRUE(HasFocus(page->keyList()));
                               press(Qt::Key_Return);
                           }});
    ASSERT_TRUE(frame->runCommand(cmd::Customize));
    EXPECT_FALSE(answer.stuck);
    EXPECT_TRUE(answer.done());
    EXPECT_EQ(answer.texts, QStringList{"既に割り付けられているため、追加できません。"});
    EXPECT_EQ(std::tuple(beepsOnPlainA, beepsOnShiftA, sink.beeps), std::tuple(1, 2, 3));
    EXPECT_EQ(customized, 1);

    // The binding of the missing operation went when the sheet opened; the
    // rest is in the menu, in the file and under the keys.
    CKeyTable expected;
    ASSERT_TRUE(RemoveBoundKey(expected, KeyKind::Menu, cmd::SelectAll, "Ctrl+A"));
    ASSERT_EQ(expected.add({0x74, KeyKind::Menu, keymod::Shift, cmd::SelectAll, {}}), CKeyTable::AddResult::Added);
    EXPECT_EQ(g_keyTable.entries(), expected.entries());
    EXPECT_EQ(DecodeKeyFile(ReadFile(dir / "vexel.key")), expected.entries());
    EXPECT_EQ(frame->commands().action(cmd::SelectAll)->text(), "すべてを選択(&A)\tShift+F5");
    QApplication::setActiveWindow(frame.get());
    frame->docTemplate().activeView()->hexPane()->setFocus();
    press(Qt::Key_A, kCtrl); // no longer bound
    EXPECT_FALSE(enabled(cmd::EditCopy));
    press(Qt::Key_F5, kShift);
    press(Qt::Key_C, kCtrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");

    // The defaults come back with the reset, and go again with Cancel.
    CModalAnswerer cancel({[](QWidget* modal) {
        CKeyboardPage* page = Page(modal);
        ASSERT_NE(page, nullptr);
        ClickRow(page->commandList(), "すべてを選択");
        Click(page, "既定値に戻す(&R)");
        EXPECT_EQ(Texts(page->keyList()), QStringList{"Ctrl+A"});
        press(Qt::Key_Escape);
    }});
    ASSERT_TRUE(frame->runCommand(cmd::Customize));
    EXPECT_TRUE(cancel.done());
    EXPECT_EQ(g_keyTable.entries(), expected.entries());
    EXPECT_EQ(customized, 1);
}
