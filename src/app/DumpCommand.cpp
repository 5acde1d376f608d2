#include "app/DumpCommand.h"

#include "app/Settings.h"
#include "binpane/DocDumpSource.h"
#include "binpane/DumpLayout.h"
#include "doc/CLumoDoc.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr size_t kBufferSize = 1 << 20;

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

// Collects what the document says while it loads, so that a failure gives one
// line and a warning (a file cut at the size limit) still reaches the user.
class CCollectingSink final : public CMessageSink
{
public:
    MsgAnswer showMessage(const std::string& text, const std::string&, MsgButtons buttons,
                          MsgIcon) override
    {
        m_texts.push_back(text);
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                                             : MsgAnswer::Yes;
    }
    void beep(int) override {}
    const std::vector<std::string>& texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
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

std::string CheckReadable(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return "cannot read '" + path + "': " + std::strerror(errno);
    if (S_ISDIR(st.st_mode))
        return "'" + path + "' is a directory";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "cannot read '" + path + "': " + std::strerror(errno);
    std::fclose(f);
    return "";
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

// Writes n bytes of dump text, converted to UTF-8 when asked. Lines end in
// CR LF, so a buffer of whole lines never cuts a character in two.
bool WriteOut(const uint8_t* text, size_t n, bool utf8, std::vector<char>& scratch, std::FILE* out)
{
    if (!utf8)
        return std::fwrite(text, 1, n, out) == n;
    const size_t length = cp932::ConvertToUtf8(text, n, scratch.data());
    return std::fwrite(scratch.data(), 1, length, out) == length;
}

// Gathers the lines in one large buffer and writes it whenever it is full.
bool WriteDump(CDumpLayout& layout, bool utf8, std::FILE* out)
{
    std::vector<uint8_t> buffer(kBufferSize);
    std::vector<char> scratch(utf8 ? 3 * kBufferSize + 3 : 0);
    size_t used = 0;
    used += static_cast<size_t>(layout.formatHeadingLine(buffer.data(), false));
    used += static_cast<size_t>(layout.formatRuleLine(buffer.data() + used));
    const uint32_t lines = layout.lineCount();
    for (uint32_t line = 0; line < lines; ++line) {
        if (used + CDumpLayout::kLineBufferSize > buffer.size()) {
            if (!WriteOut(buffer.data(), used, utf8, scratch, out))
                return false;
            used = 0;
        }
        used += static_cast<size_t>(layout.formatDumpLine(line, buffer.data() + used));
    }
    return WriteOut(buffer.data(), used, utf8, scratch, out) && std::fflush(out) == 0;
}

int Fail(std::FILE* err, const std::string& text, int status = 2)
{
    std::fprintf(err, "vexel: %s\n", text.c_str());
    return status;
}

} // namespace

int RunDumpCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    DumpOptions options;
    const std::string error = ParseArguments(argc, argv, options);
    if (!error.empty())
        return Fail(err, error + " (see vexel --help)");
    if (options.help) {
        std::fputs(kHelp, out);
        return 0;
    }
    if (const std::string unreadable = CheckReadable(options.file); !unreadable.empty())
        return Fail(err, unreadable);

    CSettings settings;
    LoadSettings(CProfileFile(paths::ProfileFilePath()), settings);
    ApplyToSettings(options, settings);

    CCollectingSink sink;
    CMessageSink* previous = SetMessageSink(&sink);
    g_nNextDocMode = CLumoDoc::kBinaryMode;
    CLumoDoc doc;
    const bool loaded = doc.m_pRowStart && doc.OnOpenDocument(options.file);
    SetMessageSink(previous);
    if (!loaded) {
        const std::string why = sink.texts().empty() ? "" : ": " + sink.texts().front();
        return Fail(err, "cannot load '" + options.file + "'" + why);
    }
    for (const std::string& text : sink.texts())
        std::fprintf(err, "vexel: %s\n", text.c_str());

    CDocDumpSource source(doc);
    CDumpLayout layout(source, settings);
    if (!WriteDump(layout, options.utf8, out))
        return Fail(err, std::string("cannot write the dump: ") + std::strerror(errno), 1);
    return 0;
}
