#include "binpane/DumpCommand.h"

#include "binpane/DumpWriter.h"
#include "app/Settings.h"
#include "binpane/DumpGeometry.h"
#include "binpane/HeadlessCommand.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"
#include "platform/StringTable.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr char kHelp[] =
    "Usage: vexel [options] [FILE]\n"
    "       vexel --dump [dump options] FILE\n"
    "       vexel --help\n"
    "\n"
    "Without --dump, opens the editor window and in it FILE, if given, as a\n"
    "binary document. Options start with \"-\" or \"/\"; a value follows the\n"
    "letter directly or after \"=\", with no blank:\n"
    "  -A=CABINET                   the cabinet file to use (default: vexel.cab\n"
    "                               in the profile directory)\n"
    "  -L=LINE, -C=COLUMN           caret line and column of a text document\n"
    "                               (binary documents ignore them)\n"
    "  -Q                           quiet start (accepted, changes nothing yet)\n"
    "\n"
    "--dump writes the hex dump of FILE as a screen copy shows it: the heading\n"
    "line, a rule line and every dump line, each ending in CR LF. It needs no\n"
    "display. Dump options (those not given come from the profile's settings):\n"
    "  --code sjis|jis|euc|utf16    character code of the character column\n"
    "  --bytes-per-line N           bytes per line, 5 to 64\n"
    "  --block N                    bytes per block of the hex column, 5 to 64\n"
    "                               (for the address form in effect)\n"
    "  --decimal                    decimal addresses\n"
    "  --hex                        hexadecimal addresses\n"
    "  --output-code utf8|cp932     encoding of the output (default utf8)\n"
    "  --help                       this text\n"
    "\n"
    "Exit status of --dump: 0 done, 1 the output could not be written, 2 bad input.\n"
    "The profile directory is $VEXEL_PROFILE_DIR, else the program's directory\n"
    "when it holds vexel.ini, else ~/.config/vexel.\n";

struct DumpOptions
{
    std::optional<int> code;
    std::optional<int> bytesPerLine;
    std::optional<int> block;
    std::optional<bool> hexAddress;
    bool utf8 = true;
    bool help = false;
    std::string file;
};

std::optional<int> ParseNumber(std::string_view text, int low, int high)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> ParseCode(std::string_view text)
{
    constexpr std::string_view names[] = { "sjis", "jis", "euc", "utf16" };
    for (int i = 0; i < 4; ++i) {
        if (text == names[i])
            return i + 1;
    }
    return std::nullopt;
}

// One option with its value; answers an error text, empty when it was good.
std::string ApplyOption(std::string_view name, std::string_view value, DumpOptions& options)
{
    if (name == "--code") {
        options.code = ParseCode(value);
        return options.code ? "" : "--code takes sjis, jis, euc or utf16";
    }
    if (name == "--bytes-per-line" || name == "--block") {
        const auto n = ParseNumber(value, CDumpGeometry::kMinBytesPerLine,
                                   CDumpGeometry::kMaxBytesPerLine);
        (name == "--block" ? options.block : options.bytesPerLine) = n;
        return n ? "" : std::string(name) + " takes a number from 5 to 64";
    }
    // --output-code
    if (value != "utf8" && value != "cp932")
        return "--output-code takes utf8 or cp932";
    options.utf8 = value == "utf8";
    return "";
}

bool TakesValue(std::string_view name)
{
    return name == "--code" || name == "--bytes-per-line" || name == "--block"
        || name == "--output-code";
}

std::string ParseArguments(int argc, char** argv, DumpOptions& options)
{
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--dump" && !optionsEnd)
            continue;  // the mode itself
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            if (!options.file.empty())
                return "one file only: '" + options.file + "' and '" + std::string(arg) + "'";
            options.file = arg;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help") {
            options.help = true;
        } else if (arg == "--decimal" || arg == "--hex") {
            options.hexAddress = arg == "--hex";
        } else if (TakesValue(name)) {
            if (eq == std::string_view::npos && i + 1 >= argc)
                return std::string(name) + " needs a value";
            const std::string_view value = eq == std::string_view::npos ? argv[++i] : arg.substr(eq + 1);
            std::string error = ApplyOption(name, value, options);
            if (!error.empty())
                return error;
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
    }
    return options.file.empty() && !options.help ? "no file given" : "";
}

void ApplyToSettings(const DumpOptions& options, CSettings& s)
{
    if (options.code)
        s.StrCodeType = *options.code;
    if (options.bytesPerLine)
        s.BytesPerLine = *options.bytesPerLine;
    if (options.hexAddress)
        s.HexAddress = *options.hexAddress ? 1 : 0;
    if (options.block)
        (s.HexAddress ? s.HexBlockBytes : s.DecimalBlockBytes) = *options.block;
}

} // namespace

int RunDumpCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    DumpOptions options;
    const std::string error = ParseArguments(argc, argv, options);
    if (!error.empty())
        return FailWith(err, error + " (see vexel --help)");
    if (options.help) {
        std::fputs(kHelp, out);
        return 0;
    }
    CSettings settings;
    LoadSettings(CProfileFile(paths::ProfileFilePath()), settings);
    ApplyToSettings(options, settings);
    std::string why;
    const int fd = OpenInputFile(options.file, why);
    if (fd < 0)
        return FailWith(err, why);
    const DumpOutcome outcome = WriteFileDump(fd, settings, options.utf8, out);
    const int failure = errno;
    ::close(fd);
    if (outcome.result == DumpResult::ReadFailed)
        return FailWith(err, "cannot read '" + options.file + "': " + std::strerror(failure));
    if (outcome.result == DumpResult::WriteFailed)
        return FailWith(err, std::string("cannot write the dump: ") + std::strerror(failure), 1);
    // The editor would open only the front of such a file; the dump has it all.
    const uint32_t limit = g_nMaxImageSize >= 3 ? g_nMaxImageSize - 3 : 0;
    if (outcome.bytes > limit) {
        SayToUser(err, std::string(LoadString(StringId::IdsTooLarge)) + " '" + options.file + "' has "
                           + std::to_string(outcome.bytes) + " bytes; the editor loads only the first "
                           + std::to_string(limit) + " (the dump shows them all)");
    }
    return 0;
}
