#include "binpane/TemplateFormat.h"

#include "app/Settings.h"
#include "platform/AtomicFile.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f';
}

// The number of the leading decimal digits, held at the 32-bit maximum: a
// count no selection could ever fill must not wrap round to a small one.
uint32_t LeadingCount(std::string_view text)
{
    uint64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        n = std::min<uint64_t>(n * 10 + static_cast<uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(n);
}

std::optional<TemplateEntry> ParseLine(std::string_view line)
{
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    std::string_view type = line.substr(comma + 1);
    while (!type.empty() && IsWhiteSpace(type.front()))
        type.remove_prefix(1);
    if (type.empty())
        return std::nullopt;
    TemplateEntry entry;
    entry.label = line.substr(0, comma);
    switch (type.front()) {
    case 'B': case 'b': entry.type = TemplateFieldType::Byte; return entry;
    case 'W': case 'w': entry.type = TemplateFieldType::Word; return entry;
    case 'D': case 'd': entry.type = TemplateFieldType::DoubleWord; return entry;
    default: break;
    }
    // A minus sign is no digit, so a negative count gives 0: skipped.
    entry.count = type.size() <= kMaxTemplateTypeChars ? LeadingCount(type) : 0;
    if (entry.count == 0)
        return std::nullopt;
    entry.type = TemplateFieldType::Characters;
    return entry;
}

uint64_t FieldSize(const TemplateEntry& entry)
{
    switch (entry.type) {
    case TemplateFieldType::Byte: return 1;
    case TemplateFieldType::Word: return 2;
    case TemplateFieldType::DoubleWord: return 4;
    case TemplateFieldType::Characters: break;
    }
    return entry.count;
}

// The value of a field whose bytes are all there.
void AppendValue(std::string& text, TemplateFieldType type, std::span<const uint8_t> field)
{
    if (type == TemplateFieldType::Characters) {
        for (const uint8_t b : field)
            text += static_cast<char>(b < 0x20 ? '.' : b);
        return;
    }
    uint32_t value = 0;
    for (size_t i = field.size(); i-- > 0;)
        value = value << 8 | field[i];
    char digits[9];
    const int n = std::snprintf(digits, sizeof digits, "%0*X", static_cast<int>(field.size() * 2), value);
    text.append(digits, static_cast<size_t>(n));
}

} // namespace

TemplateParse ParseTemplate(std::string_view file)
{
    TemplateParse result;
    if (file.empty() || file.size() > kMaxTemplateBytes) {
        result.problem = TemplateProblem::BadLength;
        return result;
    }
    // Counted this way, a file ending in a lone CR, or in CR and a byte other
    // than LF, reads one line past its text: that line is empty.
    size_t lines = static_cast<size_t>(std::count(file.begin(), file.end(), '\r'));
    if (file.size() >= 2 && file[file.size() - 2] != '\r')
        ++lines;
    size_t pos = 0;
    for (size_t i = 0; i < lines && result.entries.size() < kMaxTemplateEntries; ++i) {
        const size_t end = std::min(file.find('\r', pos), file.size());
        const std::string_view line = pos < file.size() ? file.substr(pos, end - pos) : std::string_view();
        pos = end + 2;  // the byte after the CR is skipped, whatever it is
        if (auto entry = ParseLine(line))
            result.entries.push_back(std::move(*entry));
    }
    if (result.entries.empty())
        result.problem = TemplateProblem::NoEntry;
    return result;
}

TemplateParse LoadTemplate(const std::string& path)
{
    const SmallFile file = ReadSmallFile(path, kMaxTemplateBytes);
    if (file.status == SmallFileStatus::Read)
        return ParseTemplate(file.content);
    TemplateParse result;
    result.problem = file.status == SmallFileStatus::TooLarge ? TemplateProblem::BadLength
                                                              : TemplateProblem::CannotOpen;
    return result;
}

void ReportTemplateProblem(TemplateProblem problem)
{
    if (problem == TemplateProblem::BadLength)
        BeepRefusal();
    else if (problem == TemplateProblem::NoEntry)
        ShowMessage(StringId::IdsTemplateBadFormat);
}

uint64_t TemplateRecordSize(const std::vector<TemplateEntry>& entries)
{
    uint64_t size = 0;
    for (const TemplateEntry& entry : entries)
        size += FieldSize(entry);
    return size;
}

std::string FormatTemplateTable(std::string_view fileName, const std::vector<TemplateEntry>& entries,
                                std::span<const uint8_t> bytes)
{
    std::string text(fileName);
    text += "\r\n";
    uint64_t offset = 0;
    for (const TemplateEntry& entry : entries) {
        const uint64_t size = FieldSize(entry);
        text += '\t';
        text += entry.label;
        text += " = ";
        if (offset <= bytes.size() && size <= bytes.size() - offset)
            AppendValue(text, entry.type, bytes.subspan(static_cast<size_t>(offset), static_cast<size_t>(size)));
        text += "\r\n";
        offset += size;
    }
    text += "\r\n\r\n";
    return text;
}
