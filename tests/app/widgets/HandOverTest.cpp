// A later start of the real program hands its file to the running instance
// and ends at once, without touching the profile.
#include "app/widgets/CInstanceChannel.h"
#include "app/InstanceMessage.h"
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/CLumoDoc.h"
#include "frame/widgets/CMainFrame.h"
#include "platform/ProfileFile.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>

namespace {

struct HandOverTest : ::testing::Test
{
    void SetUp() override
    {
        g_settings = CSettings();
        WriteFile(dir / "vexel.ini", "[Settings]\r\nMultiInstance=0\r\n");
        iniTime = std::filesystem::last_write_time(dir / "vexel.ini");
    }

    // The built program, with this test's profile and the run's own runtime
    // directory, so that it meets the channel of this test and never a
    // program the user runs.
    QProcessEnvironment programEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VEXEL_PROFILE_DIR", QString::fromStdString(dir.path()));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }

    // Starts the built program as the running instance; true once it serves.
    bool startFirst(QProcess& first)
    {
        first.setProcessEnvironment(programEnvironment());
        first.start(VEXEL_BINARY, {});
        return first.waitForStarted(10000)
            && QTest::qWaitFor([&] { return programChannel.tryHandOver({}); }, 15000);
    }

    int runSecondStart(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(programEnvironment());
        process.start(VEXEL_BINARY, arguments);
        // The running instance answers from its event loop: keep it turning.
        QElapsedTimer clock;
        clock.start();
        while (!process.waitForFinished(20) && clock.elapsed() < 20000)
            QCoreApplication::processEvents();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    bool profileUntouched() const
    {
        return std::filesystem::last_write_time(dir / "vexel.ini") == iniTime;
    }

    CScopedTempDir dir;
    CRecordingSink sink;
    CInstanceChannel programChannel{QString::fromStdString(InstanceSocketName("vexel"))};
    std::filesystem::file_time_type iniTime;
};

} // namespace

TEST_F(HandOverTest, SecondStartHandsItsFileToTheRunningInstanceAndEnds)
{
    CProfileFile profile(dir / "vexel.ini");
    CRecentFileList recent;
    CMainFrame frame(profile, recent);
    ASSERT_TRUE(programChannel.listen());
    QObject::connect(&programChannel, &CInstanceChannel::openRequested, &frame, &CMainFrame::openHandedOverFile);

    const std::string file = dir / "a.bin";
    WriteFile(file, "hand over");
    EXPECT_EQ(runSecondStart({ QString::fromStdString(file) }), 0);
    EXPECT_TRUE(profileUntouched());
    const auto& documents = frame.docTemplate().documents();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !documents.empty(); }, 5000));
    EXPECT_EQ(documents.front()->GetPathName(), file);
    EXPECT_EQ(documents.front()->DataSize(), 9u);
    EXPECT_FALSE(documents.front()->IsTextMode());

    // With a line the file travels with it and opens as a text document.
    const std::string text = dir / "b.txt";
    WriteFile(text, "one\r\ntwo\r\n");
    EXPECT_EQ(runSecondStart({ "/L2", QString::fromStdString(text) }), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return documents.size() == 2; }, 5000));
    EXPECT_EQ(documents.back()->GetPathName(), text);
    EXPECT_TRUE(documents.back()->IsTextMode());

    // Without a file the second start only beeps and ends; nothing opens.
    EXPECT_EQ(runSecondStart({}), 0);
    EXPECT_TRUE(profileUntouched());
    QTest::qWait(50);
    EXPECT_EQ(frame.docTemplate().documents().size(), 2u);
}

TEST_F(HandOverTest, AFloodOfFailingRequestsNeitherCrashesNorBlocksTheRunningProgram)
{
    QProcess first;
    // A small stack: boxes nested one in the other per request would run out
    // of it long before the flood ends.
    first.setChildProcessModifier([] {
        const rlimit limit{1 << 20, 1 << 20};
        ::setrlimit(RLIMIT_STACK, &limit);
    });
    ASSERT_TRUE(startFirst(first));

    // 3,000 requests for a missing file: the first failure shows a box that
    // nobody here answers, and the rest wait behind it.
    const std::vector<std::string> missing(kMaxHandOverNames, dir / "missing.bin");
    for (int start = 0; start < 3000 / int(kMaxHandOverNames); ++start)
        ASSERT_TRUE(programChannel.tryHandOver(missing)) << "start " << start;

    const std::string file = dir / "c.bin";
    WriteFile(file, "x");
    const std::string iniWhileRunning = ReadFile(dir / "vexel.ini");
    EXPECT_EQ(runSecondStart({ QString::fromStdString(file) }), 0);
    EXPECT_EQ(ReadFile(dir / "vexel.ini"), iniWhileRunning);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(5000);
}
