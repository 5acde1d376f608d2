#include "platform/ProfileText.h"

#include "platform/Cp932.h"

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

constexpr char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The second byte of a double-byte character may look like a letter; it is
// compared exactly.
bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
        if (cp932::IsLeadByte(static_cast<uint8_t>(a[i])) && i + 1 < a.size()) {
            ++i;
            if (a[i] != b[i])
                return false;
        }
    }
    return true;
}

// Position of the single-byte character c, never a second byte that happens
// to have its value.
size_t FindSingleByte(std::string_view s, char c)
{
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == c)
            return i;
        if (cp932::IsLeadByte(static_cast<uint8_t>(s[i])))
            ++i;
    }
    return std::string_view::npos;
}

std::string_view SectionName(std::string_view trimmedHeader)
{
    const std::string_view inside = trimmedHeader.substr(1);
    return Trim(inside.substr(0, FindSingleByte(inside, ']')));
}

// The key of a line, or empty when the line holds none.
std::string_view KeyOf(std::string_view trimmedLine)
{
    if (trimmedLine.empty() || trimmedLine[0] == ';')
        return {};
    const size_t equals = trimmedLine.find('=');
    if (equals == std::string_view::npos)
        return {};
    return Trim(trimmedLine.substr(0, equals));
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsWritableKey(std::string_view key)
{
    return !key.empty() && key[0] != ';' && key[0] != '[' &&
           key.find('=') == std::string_view::npos && !HasLineBreak(key);
}

bool IsWritableSection(std::string_view section)
{
    return FindSingleByte(section, ']') == std::string_view::npos && !HasLineBreak(section);
}

} // namespace

CProfileText CProfileText::parse(std::string_view text)
{
    CProfileText result;
    result.m_sections.push_back(Section{{}, {}, false, {}});
    // A byte-order mark that an editor put in front is no part of the first
    // line (nor is a second one, or the line would change when written back).
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    size_t start = 0;
    while (text.substr(start, kUtf8Bom.size()) == kUtf8Bom)
        start += kUtf8Bom.size();
    while (start < text.size()) {
        // Lines end in CR LF, LF or a lone CR.
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);

        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed[0] == '[') {
            result.m_sections.push_back(
                Section{std::string(SectionName(trimmed)), std::string(line), true, {}});
            continue;
        }
        std::string_view key = result.m_sections.back().bHeader ? KeyOf(trimmed) : "";
        result.m_sections.back().lines.push_back(Line{std::string(line), std::string(key)});
    }
    return result;
}

std::string CProfileText::serialize() const
{
    std::string out;
    for (const Section& section : m_sections) {
        if (section.bHeader)
            out.append(section.header).append("\r\n");
        for (const Line& line : section.lines)
            out.append(line.text).append("\r\n");
    }
    return out;
}

std::optional<std::string> CProfileText::find(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(Trim(section));
    if (!found)
        return std::nullopt;
    key = Trim(key);
    for (const Line& line : found->lines) {
        if (!line.key.empty() && NamesEqual(line.key, key)) {
            const std::string_view text = line.text;
            return std::string(Trim(text.substr(text.find('=') + 1)));
        }
    }
    return std::nullopt;
}

bool CProfileText::set(std::string_view sectionName, std::string_view key, std::string_view value)
{
    sectionName = Trim(sectionName);
    key = Trim(key);
    if (!IsWritableSection(sectionName) || !IsWritableKey(key))
        return false;
    value = value.substr(0, value.find_first_of("\r\n"));
    Line entry{std::string(key) + "=" + std::string(value), std::string(key)};

    Section* section = findSection(sectionName);
    if (!section)
        section = &appendSection(sectionName);
    size_t insertAt = 0;
    for (size_t i = 0; i < section->lines.size(); ++i) {
        Line& line = section->lines[i];
        if (line.key.empty())
            continue;
        if (NamesEqual(line.key, key)) {
            line = std::move(entry);
            return true;
        }
        insertAt = i + 1;
    }
    section->lines.insert(section->lines.begin() + static_cast<ptrdiff_t>(insertAt),
                          std::move(entry));
    return true;
}

CProfileText::Section* CProfileText::findSection(std::string_view name)
{
    for (Section& section : m_sections)
        if (section.bHeader && NamesEqual(section.name, name))
            return &section;
    return nullptr;
}

const CProfileText::Section* CProfileText::findSection(std::string_view name) const
{
    return const_cast<CProfileText*>(this)->findSection(name);
}

CProfileText::Section& CProfileText::appendSection(std::string_view name)
{
    // A blank line in front of a new section keeps the file readable.
    if (!m_sections.empty()) {
        Section& last = m_sections.back();
        const bool endsWithText =
            last.lines.empty() ? last.bHeader : !Trim(last.lines.back().text).empty();
        if (endsWithText)
            last.lines.push_back(Line{});
    }
    m_sections.push_back(Section{std::string(name), "[" + std::string(name) + "]", true, {}});
    return m_sections.back();
}
