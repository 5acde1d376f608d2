#include "frame/widgets/PrintPdfCommand.h"

#include "app/ProgramDataFile.h"
#include "binpane/CommandHelp.h"
#include "binpane/HeadlessOptions.h"
#include "binpane/MemoryDumpSource.h"
#include "frame/TabTitle.h"
#include "frame/widgets/CPrintJob.h"
#include "platform/Cp932.h"
#include "platform/ProgramPaths.h"
#include "platform/StringTable.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

// Fine enough for the cell grid, small enough to keep the file lean.
constexpr int kPdfResolution = 600;

// The first bytes of the file, as many as a document would hold.
bool ReadDocumentBytes(int fd, std::vector<uint8_t>& bytes)
{
    const size_t limit = MaxDocumentBytes();
    bytes.resize(limit);
    size_t have = 0;
    while (have < limit) {
        const ssize_t n = ::read(fd, bytes.data() + have, limit - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    bytes.resize(have);
    return true;
}

} // namespace

int RunPrintPdfCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    const std::string error = ParseHeadlessOptions(argc, argv, "--print-pdf", 2, options);
    if (!error.empty())
        return FailWith(err, error + " (see vexel --help)");
    if (options.help)
        return WriteCommandHelp(out);
    const std::string& pdf = options.files[0];
    const std::string& file = options.files[1];
    const CSettings settings = HeadlessSettings(options);
    std::string why;
    const int fd = OpenInput(file, why);
    if (fd < 0)
        return FailWith(err, why);
    std::vector<uint8_t> bytes;
    const bool read = ReadDocumentBytes(fd, bytes);
    const int failure = errno;
    ::close(fd);
    if (!read)
        return FailWith(err, "cannot read '" + file + "': " + std::strerror(failure));

    ProgramData data;
    const std::string dataPath = paths::ProgramDataFilePath();
    if (!dataPath.empty())
        (void)ReadProgramDataFile(dataPath, data); // its own message; the defaults print

    // Fonts need a GUI application; the offscreen platform needs no display.
    // Its notes (no runtime directory, and the like) are not this command's
    // to print: a script reads one line of error or none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "vexel: %s\n", message.toLocal8Bit().constData());
    });
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QPdfWriter writer(QString::fromStdString(pdf));
    writer.setResolution(kPdfResolution);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0)); // the layout's margins are the only ones
    writer.setCreator(QStringLiteral("Vexel"));
    writer.setTitle(QString::fromStdString(std::filesystem::path(file).filename().string()));

    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(file, ec).lexically_normal().string();
    CMemoryDumpSource source(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const CPrintJob::Page page{data.page, writer, cp932::FromUtf8(DocumentTitle(absolute, "", settings.LongTitle != 0)),
                               PrintStampOf(std::time(nullptr))};
    StringId refusal{};
    std::optional<CPrintJob> job = CPrintJob::ForDump(source, settings, page, std::nullopt, refusal);
    if (!job)
        return FailWith(err, LoadString(refusal));
    QPainter painter;
    if (!painter.begin(&writer))
        return FailWith(err, "cannot write '" + pdf + "'", 1);
    for (uint32_t page = 0; page < job->pageCount(); ++page) {
        if (page > 0 && !writer.newPage()) {
            painter.end();
            return FailWith(err, "cannot write '" + pdf + "'", 1);
        }
        job->printPage(painter, page);
    }
    if (!painter.end())
        return FailWith(err, "cannot write '" + pdf + "'", 1);
    return 0;
}
