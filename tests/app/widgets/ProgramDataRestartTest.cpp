// What one run leaves in the program data file at exit, the next run has
// again at start: the find box's list, the find options and the toolbar; and
// what the customise sheet writes to the key file.
#include "app/ProgramData.h"
#include "app/ProgramDataFormat.h"
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "app/widgets/ProgramDataLink.h"
#include "binpane/CBinaryFinder.h"
#include "binpane/FindHistory.h"
#include "binpane/FindOptions.h"
#include "binpane/TemplateHistory.h"
#include "binpane/widgets/CLumoBV.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/KeyFile.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CCommandActions.h"
#include "frame/widgets/CCustomizeSheet.h"
#include "frame/widgets/CKeyboardPage.h"
#include "frame/widgets/CMainFrame.h"
#include "frame/widgets/CMainToolBar.h"
#include "platform/ProfileFile.h"
#include "support/CRecordingSink.h"
#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct ProgramRun
{
    ProgramRun()
    {
        LoadProgramData(); // as start-up does, before the frame
        LoadKeyDefinitions();
        frame = std::make_unique<CMainFrame>(profile, recent);
        frame->layOutToolBar(DataToolbarButtons());
        QObject::connect(frame.get(), &CMainFrame::customized, frame.get(),
                         [this] { ApplyCustomization(*frame); });
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    ~ProgramRun() { SaveProgramData(); } // as exit does

    CMainToolBar* toolBar() const { return frame->findChild<CMainToolBar*>(); }
    QComboBox* findBox() const { return toolBar()->findBox(); }

    CProfileFile profile{""};
    CRecentFileList recent;
    std::unique_ptr<CMainFrame> frame;
};

void ForgetEverything()
{
    g_findHistory.clear();
    g_replaceHistory.clear();
    g_templateHistory.clear();
    g_bFindMatchCase = 0;
    g_bFindDistinguishWidth = 0;
    g_bFindRegular = 0;
    g_bFindDown = 1;
    g_programData = ProgramData();
}

TEST(ProgramDataRestart, FindBoxListFindOptionsAndToolbarComeBack)
{
    CScopedTempDir dir;
    CScopedEnv profileDir("VEXEL_PROFILE_DIR", dir.path());
    CRecordingSink sink;
    g_settings = CSettings();
    ForgetEverything();
    {
        ProgramRun first;
        // The default list when no file is there yet.
        EXPECT_EQ(DataToolbarButtons(), std::vector<uint16_t>(DefaultToolbarButtons().begin(),
                                                              DefaultToolbarButtons().end()));
        ASSERT_TRUE(first.frame->openBinaryDocument(
            [&] { WriteFile(dir / "a.bin", "0123"); return dir / "a.bin"; }()));
        QApplication::setActiveWindow(first.frame.get());
        first.frame->docTemplate().activeView()->hexPane()->setFocus();
        press(Qt::Key_F, kCtrl); // to the find box
        typeKeys("3233");
        press(Qt::Key_Return);
        ASSERT_EQ(g_findHistory.newest(), "3233");
        g_replaceHistory.add("with");
        g_templateHistory.add("/t/a.fmt");
        g_bFindMatchCase = 1;
        g_bFindDistinguishWidth = 1;
        g_bFindRegular = 1;
        g_bFindDown = 0;
        g_programData.toolbar = {cmd::FileOpen, 0, cmd::HelpContext};
        g_programData.customColours[2] = 0xABCDEF;
    }
    const std::string file = ReadFile(dir / "vexel.DAT");
    ASSERT_GE(file.size(), kDataHeaderSize);
    EXPECT_EQ(file[296], 1 | 4); // match case and pattern; widths distinguished: bit 1 clear
    EXPECT_NE(file.find(std::string("\x44\xE1\0\0", 4)), std::string::npos); // help stored as 57668

    ForgetEverything();
    ProgramRun second;
    EXPECT_TRUE(sink.texts.empty());
    ASSERT_GE(second.findBox()->count(), 1);
    EXPECT_EQ(second.findBox()->itemText(0), "3233");
    EXPECT_EQ(g_replaceHistory.entries(), std::vector<std::string>{"with"});
    EXPECT_EQ(g_templateHistory.entries(), std::vector<std::string>{"/t/a.fmt"});
    EXPECT_EQ(g_bFindMatchCase, 1);
    EXPECT_EQ(g_bFindDistinguishWidth, 1u);
    EXPECT_EQ(g_bFindRegular, 1);
    EXPECT_EQ(g_bFindDown, 0);
    EXPECT_EQ(g_programData.customColours[2], 0xABCDEFu);
    const QList<QAction*> buttons = second.toolBar()->actions();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0]->data().toInt(), cmd::FileOpen);
    EXPECT_TRUE(buttons[1]->isSeparator());
    EXPECT_EQ(buttons[2]->data().toInt(), cmd::HelpContext);
    EXPECT_FALSE(second.findBox()->isVisible());
    second.frame.reset();
    ForgetEverything();
}

TEST(ProgramDataRestart, AKeyAssignedOnTheKeyboardPageActsAfterARestart)
{
    CScopedTempDir dir;
    CScopedEnv profileDir("VEXEL_PROFILE_DIR", dir.path());
    CRecordingSink sink;
    g_settings = CSettings();
    ForgetEverything();
    WriteFile(dir / "a.bin", "key bytes");
    {
        ProgramRun first;
        g_programData.toolbar = {cmd::FileOpen}; // written with the sheet's OK, not only at exit
        CModalAnswerer answer({[](QWidget* modal) {
            CKeyboardPage* page = qobject_cast<CCustomizeSheet*>(modal)->keyboardPage();
            QListWidget* commands = page->commandList();
            commands->setCurrentItem(commands->findItems("すべてを選択", Qt::MatchExactly).front());
            press(Qt::Key_Y, Qt::AltModifier); // to the key combo box
            typeKeys("F5");
            for (QPushButton* button : page->findChildren<QPushButton*>())
                if (button->text() == "追加(&A)")
                    QTest::mouseClick(button, Qt::LeftButton);
            press(Qt::Key_Return);
        }});
        ASSERT_TRUE(first.frame->runCommand(cmd::Customize));
        EXPECT_TRUE(answer.done());
        EXPECT_FALSE(answer.stuck);
        EXPECT_EQ(first.toolBar()->actions().size(), 1);
        const auto data = ParseProgramData(ReadFile(dir / "vexel.DAT"), ProgramData());
        ASSERT_TRUE(data);
        EXPECT_EQ(data->toolbar, std::vector<uint32_t>{cmd::FileOpen});
        g_programData.toolbar.clear(); // what exit writes is not what is checked
    }
    g_keyTable.setDefaults();
    ForgetEverything();
    ProgramRun second;
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_TRUE(second.frame->commands().action(cmd::SelectAll)->text().endsWith("\tF5"));
    ASSERT_TRUE(second.frame->openBinaryDocument(dir / "a.bin"));
    QApplication::setActiveWindow(second.frame.get());
    second.frame->docTemplate().activeView()->hexPane()->setFocus();
    press(Qt::Key_F5);
    press(Qt::Key_C, kCtrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "key bytes");
    second.frame.reset();
    g_keyTable.setDefaults();
    ForgetEverything();
}

} // namespace
