// The text of an INI file as lines grouped by section, so that changing one
// key rewrites that line alone and every other line (comments, blank lines,
// unknown keys, their spelling and order) comes back unchanged. Section and
// key names compare case-insensitively (ASCII letters; the second byte of a
// double-byte character is never folded).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CProfileText
{
public:
    // Accepts any bytes: lines end with CR LF, LF or a lone CR (a leading
    // UTF-8 byte-order mark is skipped), a line beginning with "["
    // opens a section (its name runs to "]" or the line end), a line with "="
    // and a non-empty name before it is a key; every other line is kept as it is.
    static CProfileText parse(std::string_view text);

    // Every line followed by CR LF.
    std::string serialize() const;

    // The value of the first such key in the first such section, trimmed of
    // blanks; nullopt when either is missing.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Replaces the key's line, or adds the key after the last key of its
    // section, or adds the section at the end. The value is cut at a line
    // break (it could not be read back otherwise). False, and nothing changed,
    // for a name that could not be read back as written.
    [[nodiscard]] bool set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line
    {
        std::string text;
        std::string key; // empty: the line holds no key
    };
    struct Section
    {
        std::string name;
        std::string header;  // the "[...]" line as read
        bool bHeader = true; // false for the lines in front of the first section
        std::vector<Line> lines;
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& appendSection(std::string_view name);

    std::vector<Section> m_sections;
};
