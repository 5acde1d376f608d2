#include "binpane/CompareCommand.h"

#include "binpane/CommandHelp.h"
#include "binpane/CompareFiles.h"
#include "binpane/HeadlessOptions.h"
#include "platform/Messages.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

class CFileSink final : public CCompareSink
{
public:
    explicit CFileSink(std::FILE* out) : m_out(out) {}
    bool write(const uint8_t* text, size_t n) override { return std::fwrite(text, 1, n, m_out) == n; }

private:
    std::FILE* m_out;
};

} // namespace

int RunCompareCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    const std::string error = ParseHeadlessOptions(argc, argv, "--compare", 2, options);
    if (!error.empty())
        return FailWith(err, error + " (see vexel --help)");
    if (options.help)
        return WriteCommandHelp(out);
    const CSettings settings = HeadlessSettings(options);
    int fds[2] = { -1, -1 };
    for (int i = 0; i < 2; ++i) {
        std::string why;
        fds[i] = OpenInput(options.files[static_cast<size_t>(i)], why);
        if (fds[i] < 0) {
            if (i == 1)
                ::close(fds[0]);
            return FailWith(err, why);
        }
    }
    CFileSink sink(out);
    const CompareFilesOutcome outcome = CompareFiles(
        fds[0], fds[1], settings, options.utf8 ? CDumpLayout::LineCode::Utf8 : CDumpLayout::LineCode::Cp932, sink);
    const int failure = errno;
    ::close(fds[0]);
    ::close(fds[1]);
    if (outcome.result == CompareFilesResult::ReadFailed) {
        return FailWith(err, "cannot read '" + options.files[static_cast<size_t>(outcome.failedInput)]
                             + "': " + std::strerror(failure));
    }
    if (outcome.result == CompareFilesResult::WriteFailed)
        return FailWith(err, std::string("cannot write the report: ") + std::strerror(failure));
    if (std::fflush(out) != 0)
        return FailWith(err, std::string("cannot write the report: ") + std::strerror(errno));
    if (!outcome.sameSize)
        SayError(err, MessageText(StringId::IdsCompareSizeDiffers, options.files));
    return outcome.differingLines > 0 || !outcome.sameSize ? 1 : 0;
}
