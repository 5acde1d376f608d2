#include "app/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace {

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
    return token.size() == 2 || token[2] == '=' || IsDigit(token[2]);
}

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

// One option token, its "-" or "/" included.
void ParseOption(std::string_view token, CommandLine& result)
{
    const char letter = token.size() > 1 ? token[1] : '\0';
    std::string_view value = token.substr(std::min<size_t>(token.size(), 2));
    if (!value.empty() && value.front() == '=')
        value.remove_prefix(1);
    switch (IsAsciiLetter(letter) ? letter | 0x20 : 0) {
    case 'a': result.cabinet = std::string(value); break;
    case 'l': result.line = DecimalValue(value); break;
    case 'c': result.column = DecimalValue(value); break;
    case 'q': result.quiet = true; break;
    default: break; // unknown options are passed over
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

CommandLine ParseCommandLine(std::span<const std::string> arguments)
{
    CommandLine result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& token = arguments[i];
        if (token.empty())
            continue;
        const bool endOfOptions = token == "--";
        if (!endOfOptions && (token[0] == '-' || IsSlashOption(token))) {
            ParseOption(token, result);
            continue;
        }
        if (endOfOptions && ++i == arguments.size())
            break;
        result.file = arguments[i];
        if (result.file.front() == '/')
            result.file = ResolveAbsoluteName(result.file);
        break;
    }
    return result;
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
