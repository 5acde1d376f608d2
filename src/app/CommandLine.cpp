#include "app/CommandLine.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char kQuote = '"';

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "/" starts an option only in the short forms an option takes; anything else
// that begins with "/" is a path.
bool IsSlashOption(std::string_view token)
{
    if (token.size() < 2 || token[0] != '/' || !IsAsciiLetter(token[1]))
        return false;
    if (token.size() == 2)
        return true;
    const char next = token[2];
    return next == ' ' || next == '=' || next == kQuote || IsDigit(next);
}

class CScanner
{
public:
    CScanner(std::string_view raw, CommandLineCode code) : m_raw(raw), m_code(code) {}

    bool atEnd() const { return m_pos >= m_raw.size(); }
    char peek() const { return atEnd() ? '\0' : m_raw[m_pos]; }
    std::string_view rest() const { return m_raw.substr(m_pos); }
    void skip() { m_pos += unitLength(); }
    void skipIf(char c)
    {
        if (peek() == c)
            ++m_pos;
    }
    void skipSpaces()
    {
        while (peek() == ' ')
            ++m_pos;
    }

    // The value up to the next space, or up to the closing quote when the
    // value opens with one (if quotes are allowed). The closing quote and the
    // spaces after the value are passed over.
    std::string takeValue(bool allowQuote)
    {
        const bool quoted = allowQuote && peek() == kQuote;
        if (quoted)
            ++m_pos;
        const char stop = quoted ? kQuote : ' ';
        const size_t start = m_pos;
        while (!atEnd() && peek() != stop)
            skip();
        std::string value(m_raw.substr(start, m_pos - start));
        skipIf(kQuote);
        skipSpaces();
        return value;
    }

    void skipToken() { static_cast<void>(takeValue(false)); }

private:
    // A lead byte takes its trail byte with it, so a trail byte never ends a token.
    size_t unitLength() const
    {
        const bool pair = m_code == CommandLineCode::Cp932 && m_pos + 1 < m_raw.size() &&
                          cp932::IsLeadByte(static_cast<uint8_t>(m_raw[m_pos]));
        return pair ? 2 : 1;
    }

    std::string_view m_raw;
    CommandLineCode m_code;
    size_t m_pos = 0;
};

// The leading decimal digits, saturated at the largest 32-bit value.
int32_t DecimalValue(std::string_view text)
{
    int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            break;
        value = std::min<int64_t>(value * 10 + (c - '0'), std::numeric_limits<int32_t>::max());
    }
    return static_cast<int32_t>(value);
}

std::string KeptIfShort(std::string value)
{
    return value.size() < kMaxArgumentLength ? std::move(value) : std::string();
}

void ParseOption(CScanner& scan, CommandLine& result)
{
    scan.skip(); // "/" or "-"
    const char letter = scan.peek();
    switch (IsAsciiLetter(letter) ? letter | 0x20 : 0) {
    case 'a':
        scan.skip();
        scan.skipIf('=');
        result.cabinet = KeptIfShort(scan.takeValue(true));
        break;
    case 'l':
    case 'c': {
        scan.skip();
        scan.skipIf('=');
        const int32_t value = DecimalValue(scan.takeValue(false));
        (letter == 'l' || letter == 'L' ? result.line : result.column) = value;
        break;
    }
    case 'q':
        result.quiet = true;
        scan.skipToken();
        break;
    default:
        scan.skipToken();
        break;
    }
}

// Windows-style wildcard match of one file name: "*" any run, "?" one
// character (a whole UTF-8 sequence); "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        return true;
    const auto charLength = [](std::string_view s, size_t i) {
        size_t n = 1;
        while (i + n < s.size() && (static_cast<uint8_t>(s[i + n]) & 0xC0) == 0x80)
            ++n;
        return n;
    };
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += charLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

CommandLine ParseCommandLine(std::string_view raw, CommandLineCode code)
{
    CommandLine result;
    CScanner scan(raw, code);
    scan.skipSpaces();
    while (!scan.atEnd()) {
        const char c = scan.peek();
        const bool option = c == '-' || (c == '/' && IsSlashOption(scan.rest()));
        if (!option) {
            result.file = KeptIfShort(scan.takeValue(true));
            if (!result.file.empty() && result.file.front() == '/')
                result.file = ResolveAbsoluteName(result.file);
            break;
        }
        ParseOption(scan, result);
    }
    return result;
}

std::string JoinArguments(std::span<const char* const> arguments)
{
    std::string raw;
    for (const char* argument : arguments) {
        const std::string_view arg = argument ? argument : "";
        if (arg.empty())
            continue;
        if (!raw.empty())
            raw += ' ';
        if (arg.find(' ') == std::string_view::npos) {
            raw += arg;
            continue;
        }
        const bool option = arg[0] == '-' || IsSlashOption(arg);
        size_t valueStart = 0;
        if (option && arg.size() >= 2)
            valueStart = arg.size() > 2 && arg[2] == '=' ? 3 : 2;
        raw += arg.substr(0, valueStart);
        raw += kQuote;
        raw += arg.substr(valueStart);
        raw += kQuote;
    }
    return raw;
}

std::vector<std::string> MatchFiles(const std::string& name, size_t limit)
{
    const size_t slash = name.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    const std::string pattern = name.substr(directory.size());
    std::vector<std::string> matches;
    if (pattern.empty() || limit == 0)
        return matches;
    if (pattern.find_first_of("*?") == std::string::npos) {
        if (IsRegularFile(fs::path(name)))
            matches.push_back(name);
        return matches;
    }
    std::error_code ec;
    fs::directory_iterator it(directory.empty() ? fs::path(".") : fs::path(directory), ec);
    std::vector<std::string> names;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (WildcardMatch(pattern, entry) && IsRegularFile(it->path()))
            names.push_back(entry);
    }
    std::sort(names.begin(), names.end());
    for (size_t i = 0; i < names.size() && i < limit; ++i)
        matches.push_back(directory + names[i]);
    return matches;
}

std::string ResolveAbsoluteName(const std::string& name)
{
    const std::vector<std::string> matches = MatchFiles(name, 1);
    return matches.empty() ? name : matches.front();
}
