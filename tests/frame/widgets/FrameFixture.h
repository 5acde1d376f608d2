// A shown main window with its own profile in a temporary folder; messages
// go to a recording sink unless a test installs another (UserFrameFixture).
#pragma once

#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "binpane/FindHistory.h"
#include "binpane/widgets/CLumoBV.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/widgets/CCommandActions.h"
#include "frame/widgets/CMainFrame.h"
#include "platform/ProfileFile.h"
#include "platform/widgets/CDialogMessageSink.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

struct FrameFixture : ::testing::Test
{
    void SetUp() override
    {
        g_settings = CSettings();
        profile = std::make_unique<CProfileFile>(dir / "vexel.ini");
        frame = std::make_unique<CMainFrame>(*profile, recent);
        frame->resize(900, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override
    {
        frame.reset();
        g_settings = CSettings();
    }

    std::string makeFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = dir / name;
        WriteFile(path, bytes);
        return path;
    }

    bool enabled(uint16_t id) const
    {
        frame->commands().updateStates(frame->commandContext());
        return frame->commands().action(id)->isEnabled();
    }

    CScopedTempDir dir;
    CRecordingSink sink;
    CRecentFileList recent;
    std::unique_ptr<CProfileFile> profile;
    std::unique_ptr<CMainFrame> frame;
};

// The frame as a user meets it: messages in real boxes, which tests answer
// through the boxes, and the find histories empty.
struct UserFrameFixture : FrameFixture
{
    void SetUp() override
    {
        g_findHistory.clear();
        g_replaceHistory.clear();
        m_pPreviousSink = SetMessageSink(&boxes);
        FrameFixture::SetUp();
    }
    void TearDown() override
    {
        FrameFixture::TearDown();
        SetMessageSink(m_pPreviousSink);
    }

    // Opens a new file of these bytes, its hex pane with the focus.
    CLumoDoc* open(const std::string& name, const std::string& bytes)
    {
        CLumoDoc* doc = frame->openBinaryDocument(makeFile(name, bytes));
        // A box shown on the way took the activation; the window manager gives it back.
        QApplication::setActiveWindow(frame.get());
        if (doc)
            frame->docTemplate().activeView()->hexPane()->setFocus();
        return doc;
    }

    CDialogMessageSink boxes;
    CMessageSink* m_pPreviousSink = nullptr;
};
