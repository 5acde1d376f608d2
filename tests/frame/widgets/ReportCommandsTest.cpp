// Compare and format by template as a user runs them: commands from the
// menu, the dialogs and message boxes answered through the real windows, and
// the text they write checked against the headless commands and the plain
// rules of the two reports.
#include "FrameFixture.h"
#include "binpane/FindHistory.h"
#include "binpane/widgets/CCompareDialog.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/widgets/CTemplateDialog.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CDocTabBar.h"
#include "platform/widgets/CDialogMessageSink.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"
#include "textpane/widgets/CLumoEV.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTabBar>

namespace {

struct ReportCommandsTest : UserFrameFixture
{
    void activate(CLumoDoc* doc)
    {
        frame->docTemplate().activate(doc);
        QApplication::setActiveWindow(frame.get());
        frame->docTemplate().activeView()->activePane()->setFocus();
    }
    static std::string textOf(CLumoDoc& doc)
    {
        const uint32_t n = doc.DataSize();
        return n ? std::string(reinterpret_cast<const char*>(doc.GetSpanPointer(0, n)), n) : std::string();
    }
    size_t documentCount() const { return frame->docTemplate().documents().size(); }
    CLumoDoc* findDocument(const std::string& title) const
    {
        for (const auto& doc : frame->docTemplate().documents())
            if (doc->GetTitle() == title)
                return doc.get();
        return nullptr;
    }
    // What `vexel --compare` writes for the two files (its exit status in `status`).
    std::string headlessCompare(const std::string& a, const std::string& b, int& status)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VEXEL_PROFILE_DIR", QString::fromStdString(dir / "headless"));
        process.setProcessEnvironment(environment);
        process.start(VEXEL_BINARY, {"--compare", "--output-code", "cp932", QString::fromStdString(dir / a),
                                     QString::fromStdString(dir / b)});
        process.waitForFinished(10'000);
        status = process.exitCode();
        return process.readAllStandardOutput().toStdString();
    }
    // Runs the compare command choosing the candidate in `row`, then answers
    // every message box with Return.
    QStringList compareWith(int row)
    {
        CModalAnswerer answer({[row](QWidget* modal) {
                                   auto* dialog = qobject_cast<CCompareDialog*>(modal);
                                   if (dialog)
                                       dialog->list()->setCurrentRow(row);
                                   press(Qt::Key_Return);
                               },
                               CModalAnswerer::Press(Qt::Key_Return), CModalAnswerer::Press(Qt::Key_Return)});
        EXPECT_TRUE(frame->runCommand(cmd::Compare));
        EXPECT_FALSE(answer.stuck);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        return answer.texts;
    }
};

} // namespace

// Two files of 20 and 17 bytes: the size box, then a result document that
// holds exactly what `vexel --compare` writes and that the tab bar calls
// "相違"; a second comparison replaces it, and equal files leave none.
TEST_F(ReportCommandsTest, CompareWritesTheHeadlessReportAndKeepsOneResult)
{
    std::string first = "0123456789abcdefGHIJ", second = first.substr(0, 17);
    second[5] = 'X';
    second[16] = 'y';
    first[18] = '!'; // past the shorter file: never reported
    CLumoDoc* a = open("a.bin", first);
    EXPECT_FALSE(enabled(cmd::Compare)) << "no other binary document yet";
    open("b.bin", second);
    open("same.bin", first);
    activate(a);
    ASSERT_TRUE(enabled(cmd::Compare));

    const QStringList boxes = compareWith(0); // the list is in document order: b.bin, same.bin
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains("サイズが相違します")) << boxes[0].toStdString();
    // The documents' titles are their paths (LongTitle is on by default).
    const std::string resultTitle = "相違 " + a->GetTitle() + " : " + (dir / "b.bin");
    CLumoDoc* result = findDocument(resultTitle);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->IsTextMode());
    CLumoEV* shown = frame->docTemplate().activeView()->textPane();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->model().caret(), (CTextCaretModel::Position{0, 0})) << "the report is read from its top";
    int status = -1;
    const std::string report = headlessCompare("a.bin", "b.bin", status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(textOf(*result), report);
    EXPECT_NE(report.find("0123456789abcdef"), std::string::npos) << report;
    const QTabBar* tabs = frame->tabBar()->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->count() - 1), "相違");

    // Again from a: the old result goes, a new one comes.
    activate(a);
    const size_t count = documentCount();
    compareWith(0);
    EXPECT_EQ(documentCount(), count);
    EXPECT_NE(findDocument(resultTitle), nullptr);

    // Equal contents: the message, and no result document stays.
    activate(a);
    const QStringList agree = compareWith(1);
    ASSERT_EQ(agree.size(), 1);
    EXPECT_TRUE(agree[0].contains("内容は一致しています")) << agree[0].toStdString();
    EXPECT_EQ(documentCount(), count - 1);
    EXPECT_EQ(findDocument(resultTitle), nullptr);
    (void)headlessCompare("a.bin", "same.bin", status);
    EXPECT_EQ(status, 0);
}

// Format by template from a selection typed with keys: the dialog takes the
// template's name, the "Table" document gets the decoded fields, a second
// run appends to it; then the table is searched from the find box, the
// way a text document is: forwards, backwards, full-width for half-width.
TEST_F(ReportCommandsTest, FormatAppendsToTheTableWhichTheFindBoxSearches)
{
    const std::string templatePath = makeFile("rec.tpl", "Magic,4\r\nVersion,W\r\nFlags,B\r\n");
    open("rec.bin", "ABCD\x02\x01\xFF\x11");
    EXPECT_FALSE(enabled(cmd::FormatTemplate)) << "nothing selected yet";
    for (int i = 0; i < 7; ++i)
        press(Qt::Key_Right, kShift);
    ASSERT_TRUE(enabled(cmd::FormatTemplate));

    const std::string table = templatePath + "\r\n\tMagic = ABCD\r\n\tVersion = 0102\r\n\tFlags = FF\r\n\r\n\r\n";
    CModalAnswerer typed({[&templatePath](QWidget*) {
        press(Qt::Key_A, kCtrl);
        typeKeys(templatePath.c_str());
        press(Qt::Key_Return);
    }});
    ASSERT_TRUE(frame->runCommand(cmd::FormatTemplate));
    EXPECT_FALSE(typed.stuck);
    CLumoDoc* tableDoc = findDocument("Table");
    ASSERT_NE(tableDoc, nullptr);
    EXPECT_EQ(textOf(*tableDoc), table);
    EXPECT_EQ(frame->docTemplate().activeDocument(), tableDoc);

    // The dialog offers the last template: Return alone formats again.
    activate(findDocument(dir / "rec.bin"));
    CModalAnswerer again(Qt::Key_Return);
    ASSERT_TRUE(frame->runCommand(cmd::FormatTemplate));
    EXPECT_FALSE(again.stuck);
    EXPECT_EQ(textOf(*tableDoc), table + table);
    EXPECT_EQ(documentCount(), 2u);

    // Find next from the box, in the table's text pane. The window manager
    // gives the frame back its activation after the dialog.
    QApplication::setActiveWindow(frame.get());
    CLumoEV* text = frame->docTemplate().activeView()->textPane();
    ASSERT_NE(text, nullptr);
    // Typed, or for full-width text committed as an input method does.
    const auto findFromBox = [this](const char* what) {
        ASSERT_TRUE(frame->runCommand(cmd::FindInput));
        QWidget* focus = QApplication::focusWidget();
        auto* box = qobject_cast<QComboBox*>(focus);
        QLineEdit* field = box ? box->lineEdit() : qobject_cast<QLineEdit*>(focus);
        ASSERT_NE(field, nullptr);
        field->insert(QString::fromUtf8(what));
        press(Qt::Key_Return);
    };
    const size_t second = table.size() + table.find("Version");
    findFromBox("version"); // no case by default
    const auto selected = [text] { return text->model().selection(); };
    ASSERT_TRUE(text->model().hasSelection());
    EXPECT_EQ(QApplication::focusWidget(), text) << "Return in the box gives the pane the focus";
    const uint32_t first = selected().first;
    EXPECT_EQ(selected().second - first, 7u);
    EXPECT_TRUE(first == table.find("Version") || first == second);
    ASSERT_TRUE(frame->runCommand(cmd::FindNext));
    EXPECT_NE(selected().first, first) << "the selected match is passed over";
    ASSERT_TRUE(frame->runCommand(cmd::FindPrevious));
    EXPECT_EQ(selected().first, first);
    EXPECT_EQ(g_findHistory.newest(), "version");

    findFromBox("ＦＬＡＧＳ"); // full-width finds half-width
    EXPECT_EQ(std::string(textOf(*tableDoc), selected().first, selected().second - selected().first), "Flags");
    const auto before = selected();
    findFromBox("absent");
    EXPECT_EQ(selected(), before) << "a miss leaves the selection";
}
