#include "binpane/DumpCommand.h"

#include "binpane/CommandHelp.h"
#include "binpane/DumpWriter.h"
#include "binpane/HeadlessOptions.h"
#include "platform/StringTable.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

int RunDumpCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    const std::string error = ParseHeadlessOptions(argc, argv, "--dump", 1, options);
    if (!error.empty())
        return FailWith(err, error + " (see vexel --help)");
    if (options.help)
        return WriteCommandHelp(out);
    const CSettings settings = HeadlessSettings(options);
    const std::string& file = options.files[0];
    std::string why;
    const int fd = OpenInput(file, why);
    if (fd < 0)
        return FailWith(err, why);
    const DumpOutcome outcome = WriteFileDump(fd, settings, options.utf8, out);
    const int failure = errno;
    ::close(fd);
    if (outcome.result == DumpResult::ReadFailed)
        return FailWith(err, "cannot read '" + file + "': " + std::strerror(failure));
    if (outcome.result == DumpResult::WriteFailed)
        return FailWith(err, std::string("cannot write the dump: ") + std::strerror(failure), 1);
    // The editor would open only the front of such a file; the dump has it all.
    const uint32_t limit = MaxDocumentBytes();
    if (outcome.bytes > limit) {
        SayError(err, std::string(LoadString(StringId::IdsTooLarge)) + " '" + file + "' has "
                          + std::to_string(outcome.bytes) + " bytes; the editor loads only the first "
                          + std::to_string(limit) + " (the dump shows them all)");
    }
    return 0;
}
