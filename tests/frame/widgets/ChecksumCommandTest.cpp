#include "doc/CLumoDoc.h"
#include "frame/widgets/CChecksumDialog.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "frame/widgets/DocumentChecksums.h"
#include "FrameFixture.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"
#include "textpane/widgets/CLumoEV.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include <random>

namespace {

// What sha256sum, sha1sum, md5sum and crc32 say of the file.
ChecksumValues ToolSums(const std::string& path)
{
    auto run = [&path](const char* tool) {
        QProcess process;
        process.start(tool, {QString::fromStdString(path)});
        EXPECT_TRUE(process.waitForFinished(10'000)) << tool;
        return process.readAllStandardOutput().split(' ').front().trimmed().toStdString();
    };
    return {run("crc32"), run("md5sum"), run("sha1sum"), run("sha256sum")};
}

std::string RandomBytes(std::mt19937& random, size_t n)
{
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

struct ChecksumCommandTest : UserFrameFixture
{
    QString pane(int index) const
    {
        QCoreApplication::processEvents();
        return frame->frameStatusBar()->paneText(index);
    }
    // Runs the command through its menu item and reads the box it shows: what
    // was summed and the four fields; the copy button is clicked on the way.
    std::pair<QString, ChecksumValues> runChecksum()
    {
        std::pair<QString, ChecksumValues> shown;
        CModalAnswerer answer({[&shown](QWidget* modal) {
                                   auto* dialog = qobject_cast<CChecksumDialog*>(modal);
                                   ASSERT_NE(dialog, nullptr);
                                   shown.first = dialog->findChild<QLabel*>("summedBytes")->text();
                                   std::string* sums[] = {&shown.second.crc32, &shown.second.md5,
                                                          &shown.second.sha1, &shown.second.sha256};
                                   for (int i = 0; i < 4; ++i) {
                                       EXPECT_TRUE(dialog->field(i)->isReadOnly());
                                       *sums[i] = dialog->field(i)->text().toStdString();
                                   }
                                   QTest::mouseClick(dialog->findChild<QPushButton*>("copyButton"), Qt::LeftButton);
                                   press(Qt::Key_Escape);
                               }});
        QAction* action = frame->commands().action(cmd::Checksum);
        EXPECT_TRUE(action->isEnabled());
        action->trigger();
        EXPECT_TRUE(answer.done());
        EXPECT_FALSE(answer.stuck);
        // The window manager gives the frame back its activation, and the pane its focus.
        QApplication::setActiveWindow(frame.get());
        return shown;
    }
};

} // namespace

// A document's bytes summed in chunks, from an offset, agree with the
// command-line tools for sizes round the chunk size.
TEST_F(ChecksumCommandTest, SumsAgreeWithTheCommandLineToolsAcrossChunks)
{
    std::mt19937 random(3);
    for (const uint32_t size : {0u, 1u, 1000u, kChecksumChunk + 4099, 3 * kChecksumChunk - 1}) {
        const std::string bytes = RandomBytes(random, size);
        CLumoDoc doc(CLumoDoc::kBinaryMode);
        ASSERT_TRUE(doc.InsertBytes(0, reinterpret_cast<const uint8_t*>(("xyz" + bytes).data()), size + 3, nullptr));
        (void)doc.GetSpanPointer(size, 3); // the edit window at the end, away from the start
        const ChecksumValues sums = SumDocumentBytes(doc, 3, size);
        EXPECT_EQ(ChecksumLines(sums), ChecksumLines(ToolSums(makeFile("part.bin", bytes)))) << size;
    }
}

// A selection made with keys after a typed byte: the panes tell its size and
// the document's, the box sums exactly the selected bytes and copies its four
// lines; without a selection it sums the whole document.
TEST_F(ChecksumCommandTest, TheBoxSumsTheSelectionWithKeysAndCopiesItsLines)
{
    std::mt19937 random(11);
    const std::string bytes = RandomBytes(random, 3000);
    ASSERT_NE(open("a.bin", bytes), nullptr);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "");
    EXPECT_EQ(pane(CFrameStatusBar::FileSize), "サイズ: 3,000 (0xBB8)");
    typeKeys("41"); // inserts 0x41 at offset 0; the caret goes to 1
    EXPECT_EQ(pane(CFrameStatusBar::FileSize), "サイズ: 3,001 (0xBB9)");
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_Right, kShift);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "選択: 5 (0x5)");

    const ChecksumValues expected = ToolSums(makeFile("selected.bin", bytes.substr(0, 5)));
    const auto [summed, shown] = runChecksum();
    EXPECT_EQ(summed, "選択範囲: 0x00000001 - 0x00000005  5 (0x5) バイト");
    EXPECT_EQ(ChecksumLines(shown), ChecksumLines(expected));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ChecksumLines(expected));

    press(Qt::Key_Right);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "");
    const auto [wholeText, whole] = runChecksum();
    EXPECT_EQ(wholeText, "文書全体: 3,001 (0xBB9) バイト");
    EXPECT_EQ(whole.sha256, ToolSums(makeFile("whole.bin", "A" + bytes)).sha256);
}

// In a text document the panes and the box take the text selection's bytes;
// without a document the panes are blank.
TEST_F(ChecksumCommandTest, TextSelectionsCountTheirBytesAndNoDocumentBlanksThePanes)
{
    const std::string text = "ab\x82\xA0\r\nxyz\r\n"; // a double-byte character in the first line
    ASSERT_NE(frame->openTextDocument(makeFile("t.txt", text), 1, 1), nullptr);
    QApplication::setActiveWindow(frame.get());
    frame->docTemplate().activeView()->textPane()->setFocus();
    EXPECT_EQ(pane(CFrameStatusBar::FileSize), "サイズ: 11 (0xB)");
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Right, kShift);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "選択: 4 (0x4)");
    const auto [summed, shown] = runChecksum();
    EXPECT_EQ(summed, "選択範囲: 0x00000000 - 0x00000003  4 (0x4) バイト");
    EXPECT_EQ(ChecksumLines(shown), ChecksumLines(ToolSums(makeFile("sel.txt", text.substr(0, 4)))));
    press(Qt::Key_A, kCtrl);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "選択: 11 (0xB)");

    frame->runCommand(cmd::FileClose);
    EXPECT_EQ(pane(CFrameStatusBar::SelectionSize), "");
    EXPECT_EQ(pane(CFrameStatusBar::FileSize), "");
    EXPECT_FALSE(enabled(cmd::Checksum));
}
