// The main window driven as a user drives it: every key goes to the widget
// that has the focus (QApplication::focusWidget(), as the platform delivers
// it), buttons get mouse clicks, and message boxes are real boxes answered
// with keys.
#include "FrameFixture.h"
#include "binpane/BinaryClipboard.h"
#include "binpane/FindHistory.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/widgets/CReplaceDialog.h"
#include "doc/DocTestSupport.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "platform/widgets/CDialogMessageSink.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

struct UserPathTest : UserFrameFixture
{
    CLumoBV* pane() const { return frame->docTemplate().activeView()->hexPane(); }
    QComboBox* findBox() const { return frame->findChild<QComboBox*>(); }
};

} // namespace

// Editing keys typed into the find box edit the box and never the document;
// Return there finds; keys the box has no use for still run their commands.
TEST_F(UserPathTest, TheFindBoxOwnsItsEditingKeysAndReturnFindsItsText)
{
    CLumoDoc* doc = open("f.bin", "0123456789");
    ASSERT_NE(doc, nullptr);
    press(Qt::Key_F, Qt::ControlModifier); // to the find box
    ASSERT_TRUE(findBox()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == findBox());
    typeKeys("3 4");
    press({{Qt::Key_A, kCtrl}, {Qt::Key_X, kCtrl}});
    EXPECT_EQ(findBox()->currentText(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "3 4");
    // Ctrl+Z takes the paste back.
    press({{Qt::Key_V, kCtrl}, {Qt::Key_Z, kCtrl}, {Qt::Key_Insert, kShift}, {Qt::Key_Home, kNone},
           {Qt::Key_Delete, kNone}, {Qt::Key_End, kNone}, {Qt::Key_Backspace, kNone}});
    typeKeys("34");
    EXPECT_EQ(findBox()->currentText(), " 34");
    EXPECT_EQ(ReadFile(dir / "f.bin"), "0123456789");
    EXPECT_EQ(doc->DataSize(), 10u);
    EXPECT_FALSE(doc->IsModified());

    press(Qt::Key_Return); // the hex part reads " 34" as the byte 34
    EXPECT_TRUE(pane()->model().hasSelection());
    EXPECT_EQ(std::pair(pane()->model().m_nSelStart, pane()->model().m_nSelEnd), std::pair(4u, 4u));
    EXPECT_EQ(QApplication::focusWidget(), pane());

    // The box searches what was typed, not what the history completes.
    press({{Qt::Key_F, kCtrl}, {Qt::Key_A, kCtrl}});
    typeKeys("33");
    EXPECT_EQ(findBox()->currentText(), "33");
    // A binding the box has no use for still acts: the code switch.
    const QString code = frame->frameStatusBar()->paneText(CFrameStatusBar::Code);
    press(Qt::Key_E, Qt::ControlModifier);
    EXPECT_NE(frame->frameStatusBar()->paneText(CFrameStatusBar::Code), code);
}

// Replace All shows its count in a real box that Return closes; the program
// then takes input again, and the dialog says how it reads its texts.
TEST_F(UserPathTest, ReplaceAllCountBoxClosesAndTheProgramGoesOn)
{
    CLumoDoc* doc = open("r.bin", "AxAxAxAB");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(frame->runCommand(cmd::EditReplace));
    auto* dialog = frame->findChild<CReplaceDialog*>();
    ASSERT_NE(dialog, nullptr);
    QApplication::setActiveWindow(dialog);
    dialog->findCombo()->setFocus();
    QStringList kinds;
    for (const QLabel* kind : dialog->findChildren<QLabel*>("textKind"))
        kinds << kind->text();
    EXPECT_EQ(kinds, QStringList({"16進数", "16進数"}));
    typeKeys("41");
    QTest::mouseClick(dialog->replaceCombo()->lineEdit(), Qt::LeftButton);
    typeKeys("5A 5A");

    CModalAnswerer answer(Qt::Key_Return);
    QTest::mouseClick(dialog->replaceAllButton(), Qt::LeftButton);
    EXPECT_FALSE(answer.stuck) << "the count box took no input";
    EXPECT_EQ(answer.text(), "4 回置換しました。");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(doc->DataSize(), 12u);
    QApplication::setActiveWindow(frame.get());
    pane()->setFocus();
    press(Qt::Key_Z, Qt::ControlModifier); // input reaches the document again
    EXPECT_LT(doc->DataSize(), 12u);

    // The dialog closed after its work; opened again after a Tab to the
    // character part, it reads its texts as characters.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->findChild<CReplaceDialog*>(), nullptr);
    press(Qt::Key_Tab);
    ASSERT_TRUE(frame->runCommand(cmd::EditReplace));
    dialog = frame->findChild<CReplaceDialog*>();
    ASSERT_NE(dialog, nullptr);
    QApplication::setActiveWindow(dialog);
    EXPECT_EQ(dialog->findChild<QLabel*>("textKind")->text(), "文字列");
}

// Bytes that are all zeros copy as an empty text; paste still has them.
TEST_F(UserPathTest, PasteIsOfferedAndWorksAfterCopyingOnlyZeroBytes)
{
    CLumoDoc* doc = open("z.bin", std::string("\0\0A", 3));
    ASSERT_NE(doc, nullptr);
    QGuiApplication::clipboard()->clear();
    CBinaryClipboard::Free();
    EXPECT_FALSE(enabled(cmd::EditPaste));
    press({{Qt::Key_Right, kShift}, {Qt::Key_Right, kShift}, {Qt::Key_C, kCtrl}});
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_TRUE(enabled(cmd::EditPaste));
    press({{Qt::Key_End, kCtrl}, {Qt::Key_V, kCtrl}});
    EXPECT_EQ(doctest::DataOf(*doc), doctest::Bytes({0, 0, 'A', 0, 0}));
}

// A file over the size limit opens read-only with a message that names it,
// and the save key leaves the file whole.
TEST_F(UserPathTest, AFileOverTheLimitOpensReadOnlyAndSaveLeavesItWhole)
{
    const uint32_t limit = g_nMaxImageSize;
    g_nMaxImageSize = 1'000;
    const std::string bytes(1'500, 'q');
    CModalAnswerer answer(Qt::Key_Escape);
    CLumoDoc* doc = open("big.bin", bytes);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(answer.stuck);
    EXPECT_TRUE(answer.text().contains("big.bin")) << answer.text().toStdString();
    EXPECT_TRUE(answer.text().contains("1500"));
    EXPECT_EQ(frame->frameStatusBar()->paneText(CFrameStatusBar::ReadOnly), "書禁");
    EXPECT_FALSE(enabled(cmd::FileSave));
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(dir / "big.bin"), bytes);
    g_nMaxImageSize = limit;
}

// Two windows on one file: what one window deletes, the other no longer
// shows, copies or cuts, and saving writes exactly the bytes shown.
TEST_F(UserPathTest, TwoWindowsOnOneFileSaveExactlyTheBytesShown)
{
    const std::string bytes = "0123456789ABCDEFGHIJ";
    CLumoDoc* doc = open("two.bin", bytes);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(frame->runCommand(cmd::WindowNew));
    ASSERT_TRUE(frame->runCommand(cmd::WindowTile));
    const QList<QMdiSubWindow*> windows = frame->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    const auto activate = [&](QMdiSubWindow* window) {
        frame->mdiArea()->setActiveSubWindow(window);
        pane()->setFocus();
    };
    activate(windows[0]);
    press(Qt::Key_End, Qt::ControlModifier);
    press({{Qt::Key_Left, kShift}, {Qt::Key_Left, kShift}, {Qt::Key_Left, kShift}});
    ASSERT_TRUE(pane()->model().hasSelection());

    activate(windows[1]);
    press({{Qt::Key_A, kCtrl}, {Qt::Key_Delete, kNone}});
    EXPECT_EQ(doc->DataSize(), 0u);

    activate(windows[0]);
    EXPECT_FALSE(pane()->model().hasSelection()) << "the deleted bytes are no longer selected";
    QGuiApplication::clipboard()->setText("kept");
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept") << "nothing stale was copied";
    press({{Qt::Key_X, kCtrl}, {Qt::Key_Z, kCtrl}, {Qt::Key_Z, kCtrl}, {Qt::Key_S, kCtrl}});
    EXPECT_EQ(ReadFile(dir / "two.bin"), bytes);
    EXPECT_LE(pane()->model().m_nCaret, doc->DataSize());
}
