#include "FrameFixture.h"
#include "app/ProgramData.h"
#include "binpane/widgets/CLumoBV.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoMCW.h"
#include "doc/widgets/CLumoView.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CDocTabBar.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "frame/widgets/Resources.h"
#include "doc/CabinetSettings.h"
#include "support/CScopedEnv.h"
#include "support/ModalAnswerer.h"
#include "textpane/widgets/CLumoEV.h"

#include <QApplication>
#include <iomanip>
#include <sstream>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>

#include <filesystem>

namespace {

struct MainFrameTest : FrameFixture
{
    size_t menuCount() const { return static_cast<size_t>(frame->menuBar()->actions().size()); }
    std::string title() const { return frame->windowTitle().toStdString(); }
    CLumoBV* pane() const { return frame->docTemplate().activeView()->hexPane(); }

    QStringList tabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < frame->tabBar()->tabs()->count(); ++i)
            texts << frame->tabBar()->tabs()->tabText(i);
        return texts;
    }
};

} // namespace

TEST_F(MainFrameTest, MenuBarsFollowTheActiveDocumentAndItsModeAndAnUnreadableFileOpensNothing)
{
    EXPECT_EQ(frame->openBinaryDocument(dir / "missing.bin"), nullptr);
    EXPECT_EQ(frame->openBinaryDocument(dir.path()), nullptr);
    EXPECT_EQ(sink.texts.size(), 2u);
    EXPECT_EQ(menuCount(), MenuBarWithoutDocument().size());
    EXPECT_FALSE(enabled(cmd::FileSave));

    CLumoDoc* doc = frame->openBinaryDocument(makeFile("a.bin", "ABC"));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(menuCount(), MenuBarWithDocument().size());
    EXPECT_TRUE(enabled(cmd::FileSave));
    EXPECT_FALSE(enabled(cmd::Compare)); // no second document to compare with

    // Read-only: the check follows, Save goes, the status pane says so.
    EXPECT_TRUE(frame->commands().action(cmd::ReadOnly)->isCheckable());
    frame->runCommand(cmd::ReadOnly);
    EXPECT_TRUE(frame->commands().action(cmd::ReadOnly)->isChecked());
    EXPECT_FALSE(enabled(cmd::FileSave));
    EXPECT_EQ(frame->frameStatusBar()->paneText(CFrameStatusBar::ReadOnly), "書禁");
    frame->runCommand(cmd::ReadOnly);
    EXPECT_TRUE(enabled(cmd::FileSave));

    // A text document (the program's own output) cannot be saved from its menu.
    g_nNextDocMode = 1;
    frame->docTemplate().OpenNewDocument();
    EXPECT_TRUE(frame->docTemplate().activeDocument()->IsTextMode());
    EXPECT_FALSE(enabled(cmd::FileSave) || enabled(cmd::FileSaveAs) || enabled(cmd::ReadOnly));
    EXPECT_TRUE(enabled(cmd::FileClose));
}

// /L120 /C3: the file opens as a text document, the caret on logical line
// 120, column 3, shown in the status bar, whatever wrapped before it.
TEST_F(MainFrameTest, ALineOpensTheFileAsTextWithTheCaretOnThatLine)
{
    std::string text = std::string(300, 'w') + "\r\n"; // wraps at the fold: more rows than lines
    for (int i = 2; i <= 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    CLumoDoc* doc = frame->openTextDocument(makeFile("t.txt", text), 120, 3);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->IsTextMode());
    CLumoView* view = frame->docTemplate().activeView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->textPane(), nullptr);
    const auto caret = view->textPane()->model().caret();
    EXPECT_GT(caret.line, 119u);
    EXPECT_EQ(doc->Rows().LineOfRow(caret.line), 119u);
    EXPECT_EQ(caret.column, 2u);
    EXPECT_EQ(frame->frameStatusBar()->paneText(CFrameStatusBar::OffsetHex).toStdString(),
              (std::ostringstream() << std::setw(5) << std::setfill('0') << caret.line + 1).str());
}

// The text pane's commands through the menu: line marks set, visited round
// the text and cleared; append copy; the editing commands change nothing.
TEST_F(MainFrameTest, TextCommandsMarkLinesAppendCopiesAndEditNothing)
{
    CLumoDoc* doc = frame->openTextDocument(makeFile("m.txt", "a\r\nb\r\nc\r\n"), 2, 1);
    ASSERT_NE(doc, nullptr);
    CTextCaretModel& model = frame->docTemplate().activeView()->textPane()->model();
    frame->runCommand(cmd::LineMarkToggle);
    model.gotoPosition(2, 0);
    frame->runCommand(cmd::LineMarkToggle);
    EXPECT_EQ(std::vector<uint32_t>(doc->TextMarks().begin(), doc->TextMarks().end()),
              (std::vector<uint32_t>{1, 4}));
    model.gotoPosition(0, 0);
    frame->runCommand(cmd::LineMarkNext);
    EXPECT_EQ(model.caret().line, 1u);
    frame->runCommand(cmd::LineMarkPrevious);
    EXPECT_EQ(model.caret().line, 2u) << "before the first mark comes the last";

    model.gotoPosition(0, 0);
    model.extendSelection(0, 1);
    frame->runCommand(cmd::EditCopy);
    model.gotoPosition(2, 0);
    model.extendSelection(6, 7);
    ASSERT_TRUE(enabled(cmd::AppendCopy));
    frame->runCommand(cmd::AppendCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ac");
    for (uint16_t id : {cmd::EditUndo, cmd::AppendCut, cmd::SwapCase, cmd::InsertDate, cmd::Indent})
        frame->runCommand(id);
    const uint8_t* p = doc->GetSpanPointer(0, doc->DataSize());
    EXPECT_EQ(std::string(p, p + doc->DataSize()), "a\r\nb\r\nc\r\n");
    EXPECT_FALSE(doc->IsModified());
    frame->runCommand(cmd::LineMarkClearAll);
    EXPECT_TRUE(doc->TextMarks().empty());
}

// A right click on the text pane opens the shortcut menu; its Copy runs as the
// menu's does, and the commands a text document refuses are greyed.
TEST_F(MainFrameTest, TheTextPanesShortcutMenuRunsItsCommandsAsTheMenuDoes)
{
    // The list of the data file, whose separator may lead; a command no menu names has no text.
    const std::vector<int32_t> saved = g_programData.contextMenu;
    g_programData.contextMenu = {kContextSeparator, cmd::EditPaste, cmd::LineMarkToggle, cmd::EditCopy};
    ASSERT_NE(frame->openTextDocument(makeFile("c.txt", "copy me\r\n"), 1, 1), nullptr);
    CLumoEV* pane = frame->docTemplate().activeView()->textPane();
    pane->model().extendSelection(0, 4);
    QStringList texts;
    bool pasteEnabled = true;
    QTimer::singleShot(0, [&] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            texts << action->text();
            if (action->text() == "貼り付け")
                pasteEnabled = action->isEnabled();
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == "コピー")
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(pane->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(texts, (QStringList{"", "貼り付け", "", "コピー"}));
    EXPECT_FALSE(pasteEnabled);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copy");
    g_programData.contextMenu = saved;
}

TEST_F(MainFrameTest, TabsListDocumentsInOrderAndSelectByPosition)
{
    g_settings.AddDocNumber = 1;
    std::filesystem::create_directory(dir / "other");
    CLumoDoc* a = frame->openBinaryDocument(makeFile("same.bin", "1"));
    CLumoDoc* b = frame->openBinaryDocument(makeFile("other/same.bin", "2"));
    CLumoDoc* c = frame->openBinaryDocument(makeFile("c.bin", "3"));
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(tabTexts(), (QStringList{ "1. same.bin", "2. same.bin", "3. c.bin" }));
    EXPECT_EQ(frame->tabBar()->tabs()->currentIndex(), 2);

    // Same titles: the choice goes by position.
    frame->tabBar()->tabs()->setCurrentIndex(1);
    EXPECT_EQ(frame->docTemplate().activeDocument(), b);

    // The modified flag shows as the tab image.
    a->SetModifiedFlag(true);
    EXPECT_FALSE(frame->tabBar()->tabs()->tabIcon(0).isNull());
    EXPECT_TRUE(frame->tabBar()->tabs()->tabIcon(1).isNull());
    a->SetModifiedFlag(false);

    g_settings.AddDocNumber = 0;
    g_settings.LongTitle = 1;
    frame->refreshTabBar();
    EXPECT_EQ(tabTexts(), (QStringList{ "same.bin", "same.bin", "c.bin" }));
}

TEST_F(MainFrameTest, DroppedFilesOpenAsBinaryDocumentsAndTheFirstIsMaximised)
{
    QList<QUrl> urls;
    for (const char* name : { "x.bin", "y.txt", "z.dat" })
        urls << QUrl::fromLocalFile(QString::fromStdString(makeFile(name, "data")));
    g_nNextDocMode = 1; // the mode at rest is text
    frame->openDroppedFiles({ urls.front() });
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(frame->mdiArea()->subWindowList().front()->isMaximized());

    frame->openDroppedFiles(urls.mid(1));
    const auto& docs = frame->docTemplate().documents();
    ASSERT_EQ(docs.size(), 3u);
    for (const auto& doc : docs)
        EXPECT_FALSE(doc->IsTextMode());
    EXPECT_EQ(g_nNextDocMode, 1);
    EXPECT_TRUE(g_bResetNextDocMode);
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksAndHonoursEachAnswer)
{
    const std::string path = makeFile("m.bin", "old");
    const auto editAndClose = [&](const char* byte, MsgAnswer answer) {
        CLumoDoc* doc = frame->docTemplate().documents().empty() ? frame->openBinaryDocument(path)
                                                                 : frame->docTemplate().activeDocument();
        ASSERT_TRUE(doc && doc->InsertBytes(0, reinterpret_cast<const uint8_t*>(byte), 1, nullptr));
        sink.answers = {answer};
        frame->runCommand(cmd::FileClose);
    };
    editAndClose("x", MsgAnswer::Cancel);
    ASSERT_EQ(frame->docTemplate().documents().size(), 1u);
    // The title is the full path while LongTitle is on.
    EXPECT_EQ(sink.texts.back(), path + "への変更を保存しますか？");
    editAndClose("n", MsgAnswer::Yes);
    EXPECT_TRUE(frame->docTemplate().documents().empty());
    EXPECT_EQ(ReadFile(path), "nxold");
    editAndClose("y", MsgAnswer::No);
    EXPECT_TRUE(frame->docTemplate().documents().empty());
    EXPECT_EQ(ReadFile(path), "nxold");
}

TEST_F(MainFrameTest, SaveAsOverAnExistingFileReplacesItThroughTheDialog)
{
    const std::string source = makeFile("s.bin", "new bytes");
    const std::string target = makeFile("t.bin", "old");
    CLumoDoc* doc = frame->openBinaryDocument(source);
    ASSERT_NE(doc, nullptr);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "名前を付けて保存");
        dialog->selectFile(QString::fromStdString(target));
        // The dialog asks before it replaces a file: answer Yes.
        QTimer::singleShot(0, [] {
            auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(question, nullptr);
            question->button(QMessageBox::Yes)->click();
        });
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
    frame->runCommand(cmd::FileSaveAs);
    EXPECT_EQ(ReadFile(target), "new bytes");
    EXPECT_EQ(doc->GetPathName(), target);
    EXPECT_EQ(frame->docTemplate().framesOf(doc).front()->windowTitle().toStdString(), doc->GetTitle());
}

TEST_F(MainFrameTest, ThePlacementStoredOnCloseIsRestoredByTheNextFrame)
{
    frame->showNormal();
    frame->setGeometry(140, 110, 700, 500);
    const QRect normal = frame->geometry();
    frame->close();
    // The next start, as the program makes it.
    const auto restart = [this] {
        auto next = std::make_unique<CMainFrame>(*profile, recent);
        next->showWithPlacement();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(next.get()));
        return next;
    };
    auto second = restart();
    EXPECT_EQ(second->geometry(), normal);
    second->showMaximized();
    second->close();
    auto third = restart();
    EXPECT_TRUE(third->isMaximized());
    EXPECT_EQ(third->normalGeometry(), normal);
    third->close();

    ASSERT_TRUE(profile->writeString("Settings", "WindowPos", "1,2,3"));
    EXPECT_TRUE(restart()->isMaximized());
}

// The key table runs its commands before the pane sees the key.
TEST_F(MainFrameTest, EditMarkAndCodeKeysReachTheActivePaneThroughTheKeyTable)
{
    CLumoDoc* doc = frame->openBinaryDocument(makeFile("e.bin", "0123456789ABCDEFGHIJ"));
    ASSERT_NE(doc, nullptr);
    CLumoBV* pane = this->pane();
    pane->setFocus();
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(pane, Qt::Key_E, Qt::ControlModifier);
        seen << frame->frameStatusBar()->paneText(CFrameStatusBar::Code);
    }
    EXPECT_EQ(seen, (QStringList{ "JIS", "EUC", "UNI", "SJIS", "JIS" }));
    EXPECT_EQ(g_settings.StrCodeType, 2);
    EXPECT_TRUE(frame->commands().action(cmd::CodeSwitch)->text().endsWith("\tCtrl+E")); // named in the menu

    QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier); // select all
    EXPECT_TRUE(enabled(cmd::EditCut));
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier); // copy
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "0123456789ABCDEFGHIJ");
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); // screen copy
    const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4); // heading, rule, two dump lines
    EXPECT_TRUE(lines[2].startsWith("00000000  30 31 32"));

    QTest::keyClick(pane, Qt::Key_Escape);
    QTest::keyClick(pane, Qt::Key_F3, Qt::ControlModifier); // set a mark at the caret
    ASSERT_EQ(doc->BinaryMarks().size(), 1u);
    QTest::keyClick(pane, Qt::Key_Right);
    QTest::keyClick(pane, Qt::Key_F3); // next mark wraps to the only one
    EXPECT_EQ(pane->caretOffset(), doc->BinaryMarks()[0]);

    QTest::keyClick(pane, Qt::Key_Delete);
    EXPECT_EQ(doc->DataSize(), 19u);
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier); // undo, from the key table
    EXPECT_EQ(doc->DataSize(), 20u);
    EXPECT_TRUE(enabled(cmd::EditRedo));
}

TEST_F(MainFrameTest, HelpShowsTheBuiltInPageInOneWindowAndWritesNothing)
{
    const std::string cache = dir / "cache";
    const CScopedEnv env("XDG_CACHE_HOME", cache);
    auto shownBrowsers = [] {
        QList<QTextBrowser*> found;
        for (QWidget* window : QApplication::topLevelWidgets())
            for (QTextBrowser* browser : window->findChildren<QTextBrowser*>())
                if (window->isVisible() && browser->window() == window)
                    found += browser;
        return found;
    };

    frame->runCommand(cmd::HelpContents);
    const QList<QTextBrowser*> first = shownBrowsers();
    ASSERT_EQ(first.size(), 1);
    // The template format message sends the user here for the file's syntax.
    const QString page = first[0]->toPlainText();
    for (const char* words : { "挿入モードと上書きモードの切替え", "Ctrl+F3", "テンプレートファイルの形式" })
        EXPECT_TRUE(page.contains(QString::fromUtf8(words))) << words;
    EXPECT_FALSE(page.contains(QString::fromUtf8("まだ使え"))); // every command is built
    first[0]->window()->close();

    // F1 from the focused pane brings back the same window.
    ASSERT_NE(frame->openBinaryDocument(makeFile("h.bin", "AB")), nullptr);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    pane()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    frame->runCommand(cmd::HelpUsing);
    EXPECT_EQ(shownBrowsers(), first);

    EXPECT_FALSE(std::filesystem::exists(cache));
}

TEST_F(MainFrameTest, TheTitleNamesTheActiveDocumentOnceAndChildWindowsWearTheProgramIcon)
{
    g_settings.LongTitle = 0;
    CLumoDoc* a = frame->openBinaryDocument(makeFile("a.bin", "A"));
    ASSERT_NE(a, nullptr);
    CLumoMCW* child = frame->docTemplate().framesOf(a).front();
    ASSERT_TRUE(child->isMaximized());
    EXPECT_EQ(title(), "Vexel - [a.bin]");
    child->showNormal();
    EXPECT_EQ(title(), "Vexel - a.bin");
    CLumoDoc* b = frame->openBinaryDocument(makeFile("b.bin", "B"));
    ASSERT_NE(b, nullptr);
    frame->docTemplate().framesOf(b).front()->showMaximized();
    EXPECT_EQ(title(), "Vexel - [b.bin]");
    frame->docTemplate().activate(a);
    EXPECT_EQ(title(), "Vexel - [a.bin]");
    frame->docTemplate().CloseAllDocuments();
    EXPECT_EQ(title(), "Vexel");

    // The icon drawn in a child's title bar is the program's, not the toolkit's.
    g_settings.LongTitle = 1;
    const std::string path = makeFile("c.bin", "C");
    CLumoDoc* c = frame->openBinaryDocument(path);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(title(), "Vexel - [" + path + "]");
    child = frame->docTemplate().framesOf(c).front();
    EXPECT_TRUE(child->testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(child->windowIcon().pixmap(16, 16).toImage(), ProgramIcon().pixmap(16, 16).toImage());
}

// Options > Font, with a binary document active: the font dialog, a bigger
// size, Return; every open view, a text one too, takes the font at once.
// With a text document active the command is not offered.
TEST_F(MainFrameTest, TheDisplayFontReachesEveryOpenView)
{
    const CCabinetSettings saved = g_cabinet;
    CLumoDoc* text = frame->openTextDocument(makeFile("t.txt", "line\r\n"), 1, 1);
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(enabled(cmd::DisplayFont));
    CLumoEV* textPane = frame->docTemplate().activeView()->textPane();
    ASSERT_NE(frame->openBinaryDocument(makeFile("f.bin", "0123456789")), nullptr);
    ASSERT_TRUE(enabled(cmd::DisplayFont));
    CLumoBV* hexPane = frame->docTemplate().activeView()->hexPane();
    const int hexBefore = hexPane->caretRect().height(), textBefore = textPane->caretRect().height();

    CModalAnswerer answer({[](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        QFont font = dialog->currentFont();
        font.setPointSize(28);
        dialog->setCurrentFont(font);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }});
    ASSERT_TRUE(frame->runCommand(cmd::DisplayFont));
    EXPECT_FALSE(answer.stuck);
    EXPECT_EQ(g_cabinet.font.lfHeight, 28);
    EXPECT_GT(hexPane->caretRect().height(), hexBefore);
    EXPECT_GT(textPane->caretRect().height(), textBefore);
    g_cabinet = saved;
}
