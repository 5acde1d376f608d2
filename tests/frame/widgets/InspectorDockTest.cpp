#include "FrameFixture.h"
#include "binpane/DataInspector.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CInspectorDock.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"
#include "textpane/widgets/CLumoEV.h"

#include <QMenu>
#include <QMenuBar>

namespace {

using namespace inspector;

struct InspectorDockTest : UserFrameFixture
{
    CInspectorDock& dock() const { return *frame->inspector(); }
    std::string value(int row) const { return dock().valueText(row).toStdString(); }

    // The item of the View menu, as the user picks it.
    QAction* viewMenuItem() const
    {
        for (QAction* popup : frame->menuBar()->actions())
            if (popup->menu() && popup->text() == "表示(&V)")
                for (QAction* item : popup->menu()->actions())
                    if (item->text().startsWith("データインスペクタ"))
                        return item;
        return nullptr;
    }
    void pickViewMenuItem() const
    {
        QAction* item = viewMenuItem();
        ASSERT_NE(item, nullptr);
        frame->commands().updateStates(frame->commandContext());
        item->trigger();
    }
};

} // namespace

TEST_F(InspectorDockTest, FollowsTheHexCaretAndEditsAndStopsAtTheDataEnd)
{
    // あ in Shift-JIS, 1.0f little-endian, -1 as 16 bits, a lead byte last.
    ASSERT_NE(open("i.bin", std::string("\x82\xA0\x00\x00\x80\x3F\xFF\xFF\x82", 9)), nullptr);
    EXPECT_TRUE(dock().isHidden());
    pickViewMenuItem();
    ASSERT_TRUE(dock().isVisible());
    EXPECT_TRUE(viewMenuItem()->isChecked());
    EXPECT_EQ(value(ShiftJis), "あ  82 A0");
    EXPECT_EQ(value(U16Be), "33440");
    EXPECT_EQ(value(Binary), "10000010");

    press({{Qt::Key_Right, kNone}, {Qt::Key_Right, kNone}});
    EXPECT_EQ(value(F32Le), "1");
    EXPECT_EQ(value(U8), "0");
    press({{Qt::Key_Right, kNone}, {Qt::Key_Right, kNone}, {Qt::Key_Right, kNone}, {Qt::Key_Right, kNone}});
    EXPECT_EQ(value(S16Le), "-1");
    EXPECT_EQ(value(U32Le), "-"); // three bytes left

    // The last byte: a lead byte with nothing after it; then past the end.
    press(Qt::Key_End, kCtrl);
    press(Qt::Key_Left);
    EXPECT_EQ(value(ShiftJis), "不完全  82");
    EXPECT_EQ(value(S8), "-126");
    EXPECT_EQ(value(U16Le), "-");
    press(Qt::Key_End, kCtrl);
    EXPECT_EQ(value(U8), "-");

    // An edit before the caret's byte: the panel reads the new bytes.
    press(Qt::Key_Home, kCtrl);
    typeKeys("41");
    press(Qt::Key_Left);
    EXPECT_EQ(value(U8), "65");
    EXPECT_EQ(value(U16Le), "33345"); // 41 82
    press(Qt::Key_Delete);
    EXPECT_EQ(value(ShiftJis), "あ  82 A0");

    // Without a document the rows are empty; the edit is not saved.
    CModalAnswerer answer(Qt::Key_N);
    frame->runCommand(cmd::FileClose);
    EXPECT_TRUE(answer.done());
    EXPECT_TRUE(answer.text().endsWith("/i.binへの変更を保存しますか？"));
    ASSERT_EQ(frame->docTemplate().activeDocument(), nullptr);
    EXPECT_EQ(value(U8), "");
}

TEST_F(InspectorDockTest, ATextDocumentShowsTheUnitAtItsCaret)
{
    ASSERT_NE(frame->openTextDocument(makeFile("t.txt", "\x82\xA0\x82\xA2" "A\r\n"), 1, 3), nullptr);
    frame->docTemplate().activeView()->textPane()->setFocus();
    frame->runCommand(cmd::ViewInspector);
    EXPECT_EQ(value(ShiftJis), "い  82 A2");
    press(Qt::Key_Right);
    EXPECT_EQ(value(ShiftJis), "A  41");
    EXPECT_EQ(value(U16Le), "3393"); // A CR
}

TEST_F(InspectorDockTest, VisibilityIsKeptInTheIniAcrossARestart)
{
    ASSERT_NE(open("v.bin", "x"), nullptr);
    pickViewMenuItem();
    frame->close();
    ASSERT_TRUE(SaveSettings(*profile));
    EXPECT_NE(ReadFile(profile->path()).find("DisplayInspector=1"), std::string::npos);

    g_settings = CSettings();
    LoadSettings(*profile);
    frame = std::make_unique<CMainFrame>(*profile, recent);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_FALSE(dock().isHidden());
    // The panel's own close button hides it for the next start too.
    dock().toggleViewAction()->trigger();
    EXPECT_TRUE(dock().isHidden());
    EXPECT_EQ(g_settings.DisplayInspector, 0);
}
