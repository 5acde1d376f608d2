// vexel --print-pdf, run as a user runs it, read back with pdftotext: every
// page has its header and footer from the stored layout, the heading row, and
// the pages together hold exactly the lines the dump command writes.
#include "app/ProgramDataFile.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

Outcome Vexel(const std::string& profile, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VEXEL_PROFILE_DIR", QString::fromStdString(profile));
    process.setProcessEnvironment(environment);
    process.start(VEXEL_BINARY, arguments);
    EXPECT_TRUE(process.waitForFinished(60'000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Blanks collapsed: pdftotext places words by their positions, not by cells.
QString Words(const QString& line)
{
    return line.simplified();
}

TEST(PrintPdf, PagesHoldTheDumpLinesWithHeaderAndFooter)
{
    CScopedTempDir dir;
    CRecordingSink quiet;
    std::string bytes;
    for (int i = 0; i < 16 * 70 + 5; ++i)
        bytes += static_cast<char>('A' + (i * 7) % 26);
    const std::string file = dir / "letters.bin";
    WriteFile(file, bytes);
    ProgramData data;
    data.page.marginTop = 600; // 60 mm: fewer lines, several pages
    data.page.headerTemplate = "Page &p of &f &P";
    data.page.headerPosition = 2;
    data.page.footerTemplate = "end &p";
    data.page.firstPageNumber = 5;
    ASSERT_TRUE(WriteProgramDataFile(dir / "vexel.DAT", data));

    const Outcome print = Vexel(dir.path(), {"--print-pdf", QString::fromStdString(dir / "out.pdf"),
                                         "--bytes-per-line", "16", QString::fromStdString(file)});
    ASSERT_EQ(0, print.status) << print.err.toStdString();
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(dir / "out.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30'000)) << "pdftotext (poppler-utils) is needed";
    ASSERT_EQ(0, text.exitCode());
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GE(pages.size(), 2);

    const Outcome dump = Vexel(dir.path(), {"--dump", "--bytes-per-line", "16", QString::fromStdString(file)});
    ASSERT_EQ(0, dump.status);
    QStringList expected = dump.out.split("\r\n", Qt::SkipEmptyParts);
    const QString heading = Words(expected.takeFirst());
    expected.removeFirst(); // the rule line is the screen copy's own

    QStringList printed;
    for (int page = 0; page < pages.size(); ++page) {
        QStringList lines = pages[page].split('\n', Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = Words(line);
        lines.removeAll(QString());
        ASSERT_GE(lines.size(), 3) << page;
        const QString number = QString::number(page + 5);
        EXPECT_EQ("Page " + number + " of " + QString::fromStdString(file) + " &P", lines.front()) << page;
        EXPECT_EQ("end " + number, lines.back()) << page;
        EXPECT_EQ(heading, lines[1]) << page;
        printed += lines.mid(2, lines.size() - 3);
    }
    QStringList wanted;
    for (const QString& line : expected)
        wanted += Words(line);
    EXPECT_EQ(wanted, printed);
}

TEST(PrintPdf, BadInputGivesOneLineAndStatusTwo)
{
    CScopedTempDir dir;
    CRecordingSink quiet;
    WriteFile(dir / "a.bin", "abc");
    ProgramData data;
    data.page.marginLeft = 10'000; // a metre: no paper holds that
    ASSERT_TRUE(WriteProgramDataFile(dir / "vexel.DAT", data));
    for (const QStringList& arguments :
         {QStringList{"--print-pdf", QString::fromStdString(dir / "out.pdf"), QString::fromStdString(dir / "a.bin")},
          QStringList{"--print-pdf", QString::fromStdString(dir / "out.pdf")},
          QStringList{"--print-pdf", QString::fromStdString(dir / "out.pdf"), QString::fromStdString(dir / "none")},
          QStringList{"--print-pdf", QString::fromStdString(dir / "out.pdf"), QString::fromStdString(dir.path())}}) {
        const Outcome run = Vexel(dir.path(), arguments);
        EXPECT_EQ(2, run.status) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("vexel: ")) << run.err.toStdString();
        EXPECT_EQ(1, run.err.count('\n')) << run.err.toStdString();
    }
    EXPECT_TRUE(Vexel(dir.path(), {"--print-pdf", QString::fromStdString(dir / "out.pdf"),
                                   QString::fromStdString(dir / "a.bin")})
                    .err.contains("余白が大きすぎる"));
}

} // namespace
