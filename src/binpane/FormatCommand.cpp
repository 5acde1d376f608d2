#include "binpane/FormatCommand.h"

#include "app/Settings.h"
#include "binpane/HeadlessOptions.h"
#include "binpane/TemplateFormat.h"
#include "platform/Cp932.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct FormatOptions
{
    std::string templatePath;
    std::string file;
    uint64_t offset = 0;
    std::optional<uint64_t> length;
    bool utf8 = true;
};

// Decimal, or hexadecimal after "0x"; nothing else, no sign.
std::optional<uint64_t> ParseByteCount(std::string_view text)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// One option with its value; answers an error text, empty when it was good.
std::string ApplyOption(std::string_view name, std::string_view value, FormatOptions& options)
{
    if (name == "--output-code")
        return ParseOutputCode(value, options.utf8);
    const auto n = ParseByteCount(value);
    if (!n)
        return std::string(name) + " takes a byte count, decimal or hexadecimal after 0x";
    if (name == "--offset")
        options.offset = *n;
    else
        options.length = n;
    return "";
}

std::string ParseArguments(int argc, char** argv, FormatOptions& options)
{
    std::vector<std::string> names;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i == 1 && arg == "--format")
            continue;  // the mode itself
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            names.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        if (name != "--offset" && name != "--length" && name != "--output-code")
            return "unknown option '" + std::string(arg) + "'";
        const std::optional<std::string_view> value = OptionValue(argc, argv, i);
        if (!value)
            return std::string(name) + " needs a value";
        std::string error = ApplyOption(name, *value, options);
        if (!error.empty())
            return error;
    }
    if (names.size() != 2)
        return "--format takes a template file and a file";
    options.templatePath = names[0];
    options.file = names[1];
    return "";
}

std::string TemplateProblemText(TemplateProblem problem, const std::string& path)
{
    switch (problem) {
    case TemplateProblem::CannotOpen:
        return "cannot read the template '" + path + "': missing, unreadable or not a regular file";
    case TemplateProblem::BadLength:
        return "the template '" + path + "' is empty or over 65,536 bytes";
    case TemplateProblem::NoEntry:
        return LoadString(StringId::IdsTemplateBadFormat);
    case TemplateProblem::None:
        break;
    }
    return "";
}

// Reads the bytes of the range that the record can use: a range longer than
// the record formats as its front does, so the rest is never read. Answers an
// error text, empty when the bytes are in.
std::string ReadRange(int fd, const FormatOptions& options, uint64_t recordSize, std::vector<uint8_t>& bytes)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return "cannot read '" + options.file + "': " + std::strerror(errno);
    const auto size = static_cast<uint64_t>(st.st_size);
    const std::string sizeText = " ('" + options.file + "' has " + std::to_string(size) + " bytes)";
    if (options.offset > size)
        return "offset " + std::to_string(options.offset) + " lies beyond the end" + sizeText;
    const uint64_t length = options.length.value_or(size - options.offset);
    if (length > size - options.offset)
        return "offset " + std::to_string(options.offset) + " and length " + std::to_string(length)
            + " reach beyond the end" + sizeText;
    // No selection of the editor holds more.
    const uint64_t limit = MaxDocumentBytes();
    const uint64_t wanted = std::min(length, recordSize);
    if (wanted > limit)
        return "the template reads " + std::to_string(wanted) + " bytes of the range; the editor selects at most "
            + std::to_string(limit);
    bytes.resize(static_cast<size_t>(wanted));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + got, bytes.size() - got,
                                  static_cast<off_t>(options.offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return "cannot read '" + options.file + "': " + std::strerror(errno);
        if (n == 0)
            break;  // the file shrank meanwhile: what is there
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return "";
}

} // namespace

int RunFormatCommand(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    FormatOptions options;
    const std::string error = ParseArguments(argc, argv, options);
    if (!error.empty())
        return FailWith(err, error + " (see vexel --help)");
    const TemplateParse parse = LoadTemplate(options.templatePath);
    if (parse.problem != TemplateProblem::None)
        return FailWith(err, TemplateProblemText(parse.problem, options.templatePath));
    std::string why;
    const int fd = OpenInput(options.file, why);
    if (fd < 0)
        return FailWith(err, why);
    std::vector<uint8_t> bytes;
    why = ReadRange(fd, options, TemplateRecordSize(parse.entries), bytes);
    ::close(fd);
    if (!why.empty())
        return FailWith(err, why);
    // The document holds the name in code page 932, as every other text.
    std::string table = FormatTemplateTable(cp932::FromUtf8(options.templatePath), parse.entries, bytes);
    if (options.utf8)
        table = cp932::ToUtf8(table);
    if (std::fwrite(table.data(), 1, table.size(), out) != table.size() || std::fflush(out) != 0)
        return FailWith(err, std::string("cannot write the table: ") + std::strerror(errno), 1);
    return 0;
}
