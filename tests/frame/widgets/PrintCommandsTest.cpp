// The print commands as a user runs them: the print dialog answered through
// the real window (printing to a PDF file, read back with pdftotext), the
// preview turned by its keys, the selection offered only when there is one.
#include "FrameFixture.h"
#include "app/ProgramData.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CPrintCommands.h"
#include "frame/widgets/CPrintPreviewDialog.h"
#include "support/ModalAnswerer.h"
#include "support/UserKeys.h"

#include <QLabel>
#include <QPrintDialog>
#include <QProcess>

namespace {

struct PrintCommandsTest : UserFrameFixture
{
    void SetUp() override
    {
        UserFrameFixture::SetUp();
        g_programData = ProgramData();
        QPrinter& printer = frame->findChild<CPrintCommands*>()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir / "out.pdf"));
    }
    void TearDown() override
    {
        UserFrameFixture::TearDown();
        g_programData = ProgramData();
    }
    std::vector<QString> printedPages()
    {
        QProcess text;
        text.start("pdftotext", {"-layout", QString::fromStdString(dir / "out.pdf"), "-"});
        EXPECT_TRUE(text.waitForFinished(30'000)) << "pdftotext (poppler-utils) is needed";
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.removeLast();
        return {pages.begin(), pages.end()};
    }
};

TEST_F(PrintCommandsTest, ATextPrintsWithLineNumbersAndTheSelectionIsOfferedOnlyWithOne)
{
    std::string text;
    for (int i = 1; i <= 150; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(frame->openTextDocument(makeFile("t.txt", text), 1, 1));
    ASSERT_TRUE(enabled(cmd::FilePrint));
    g_programData.page.firstLineNumber = 10;
    g_programData.page.footerTemplate = "p&p";
    bool selectionOffered = true;
    CModalAnswerer answer({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_TRUE(dialog);
        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        dialog->accept();
    }});
    ASSERT_TRUE(frame->runCommand(cmd::FilePrint));
    EXPECT_TRUE(answer.done());
    EXPECT_FALSE(selectionOffered);
    const std::vector<QString> pages = printedPages();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(pages[0].contains(QRegularExpression("00010 +line 1\\n"))) << pages[0].toStdString();
    EXPECT_TRUE(pages.back().contains(QRegularExpression("00159 +line 150"))) << pages.back().toStdString();
    EXPECT_TRUE(pages[1].contains(QRegularExpression("\\bp2\\b")));
}

TEST_F(PrintCommandsTest, ABinarySelectionPrintsItsLinesAndThePreviewTurnsPages)
{
    std::string bytes;
    for (int i = 0; i < 16 * 400; ++i)
        bytes += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(open("b.bin", bytes));
    press(Qt::Key_Down);
    press(Qt::Key_Down, kShift);
    press(Qt::Key_Right, kShift); // line 1 and the first byte of line 2
    QString label;
    CModalAnswerer preview({[&](QWidget* modal) {
        ASSERT_TRUE(qobject_cast<CPrintPreviewDialog*>(modal));
        press(Qt::Key_PageDown);
        press(Qt::Key_PageDown);
        press(Qt::Key_PageUp);
        for (QLabel* l : modal->findChildren<QLabel*>())
            if (l->text().contains(" / "))
                label = l->text();
        press(Qt::Key_Escape);
    }});
    ASSERT_TRUE(frame->runCommand(cmd::FilePrintPreview));
    EXPECT_TRUE(preview.done());
    EXPECT_TRUE(label.startsWith("2 / ")) << label.toStdString();

    CModalAnswerer answer({[](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_EQ(dialog->printer()->printRange(), QPrinter::Selection);
        dialog->accept();
    }});
    ASSERT_TRUE(frame->runCommand(cmd::FilePrint));
    EXPECT_TRUE(answer.done());
    const std::vector<QString> pages = printedPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains("00000010")) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains("00000020"));
    EXPECT_FALSE(pages[0].contains("00000000 "));
    EXPECT_FALSE(pages[0].contains("00000030"));
}

} // namespace
