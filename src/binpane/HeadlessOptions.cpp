#include "binpane/HeadlessOptions.h"

#include "binpane/DumpGeometry.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
std::string ApplyOption(std::string_view name, std::string_view value, HeadlessOptions& options)
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
    return ParseOutputCode(value, options.utf8);
}

bool TakesValue(std::string_view name)
{
    return name == "--code" || name == "--bytes-per-line" || name == "--block"
        || name == "--output-code";
}

} // namespace

std::optional<std::string_view> OptionValue(int argc, char** argv, int& i)
{
    const std::string_view arg = argv[i];
    const size_t eq = arg.find('=');
    if (eq != std::string_view::npos)
        return arg.substr(eq + 1);
    if (i + 1 >= argc)
        return std::nullopt;
    return std::string_view(argv[++i]);
}

std::string ParseOutputCode(std::string_view value, bool& utf8)
{
    if (value != "utf8" && value != "cp932")
        return "--output-code takes utf8 or cp932";
    utf8 = value == "utf8";
    return "";
}

std::string ParseHeadlessOptions(int argc, char** argv, std::string_view command, size_t files,
                                 HeadlessOptions& options)
{
    bool optionsEnd = false;
    for (int i = argc > 1 && argv[1] == command ? 2 : 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            if (options.files.size() == files)
                return "too many files: '" + std::string(arg) + "'";
            options.files.emplace_back(arg);
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
            const std::optional<std::string_view> value = OptionValue(argc, argv, i);
            if (!value)
                return std::string(name) + " needs a value";
            std::string error = ApplyOption(name, *value, options);
            if (!error.empty())
                return error;
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
    }
    if (options.files.size() < files && !options.help)
        return files == 1 ? "no file given" : "needs " + std::to_string(files) + " files";
    return "";
}

CSettings HeadlessSettings(const HeadlessOptions& options)
{
    CSettings s;
    LoadSettings(CProfileFile(paths::ProfileFilePath()), s);
    if (options.code)
        s.StrCodeType = *options.code;
    if (options.bytesPerLine)
        s.BytesPerLine = *options.bytesPerLine;
    if (options.hexAddress)
        s.HexAddress = *options.hexAddress ? 1 : 0;
    if (options.block)
        (s.HexAddress ? s.HexBlockBytes : s.DecimalBlockBytes) = *options.block;
    return s;
}

int OpenInput(const std::string& path, std::string& why)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        why = "cannot read '" + path + "': " + std::strerror(errno);
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        why = "'" + path + "' is a directory";
        return -1;
    }
    // Without blocking: the path may have become a FIFO since.
    const int fd = S_ISREG(st.st_mode) ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    why = "cannot read '" + path + "': "
        + (fd < 0 && S_ISREG(st.st_mode) ? std::strerror(errno) : "not a regular file");
    if (fd >= 0)
        ::close(fd);
    return -1;
}

void SayError(std::FILE* err, const std::string& text)
{
    std::fprintf(err, "vexel: %s\n", text.c_str());
}

int FailWith(std::FILE* err, const std::string& text, int status)
{
    SayError(err, text);
    return status;
}
