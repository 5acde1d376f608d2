// Format by template: a small text file describes a record layout, one field
// a line ("label,type"), and the selected bytes are decoded field by field
// into lines of text for the "Table" document.
//
// A template file holds 1 to 65,536 bytes. Its lines end at each CR; the byte
// after a CR (the LF) is skipped. The number of lines read is the number of CR
// bytes, plus one when the file has two bytes or more and its last-but-one
// byte is not CR; so a one-byte file has no line, and a file ending in a lone
// CR has an empty last line. A line splits at its first comma: the label is
// all before it, blanks kept; the type text is all after it less its leading
// white space. B, W or D as its first letter (either case) make a byte, word
// or double word; otherwise leading decimal digits giving a count above 0, in
// a type text of at most 10,000 characters, make a run of that many
// characters. Any other line is skipped (a count with a minus sign too); the
// first 100 entries are taken. NUL bytes are ordinary bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TemplateFieldType : uint32_t { Byte = 1, Word = 2, DoubleWord = 3, Characters = 4 };

struct TemplateEntry
{
    std::string label;       // code page 932 bytes, as in the file
    TemplateFieldType type = TemplateFieldType::Byte;
    uint32_t count = 0;      // characters of a run (a larger count is held at the maximum); 0 otherwise

    bool operator==(const TemplateEntry&) const = default;
};

// Why a template gave no table; each is reported in its own way (below).
enum class TemplateProblem {
    None,
    CannotOpen,  // missing, unreadable or not a regular file: nothing is said
    BadLength,   // empty or over 65,536 bytes: a refusal beep
    NoEntry,     // no line made an entry: the format message
};

struct TemplateParse
{
    TemplateProblem problem = TemplateProblem::None;
    std::vector<TemplateEntry> entries;  // 1 to 100 when there is no problem
};

inline constexpr size_t kMaxTemplateBytes = 65'536;
inline constexpr size_t kMaxTemplateEntries = 100;
inline constexpr size_t kMaxTemplateTypeChars = 10'000;

// The entries of a template file's bytes, or BadLength / NoEntry.
[[nodiscard]] TemplateParse ParseTemplate(std::string_view file);

// Reads the template file at `path` (never blocking on a FIFO or device, and
// never reading a file over the limit whole) and parses it.
[[nodiscard]] TemplateParse LoadTemplate(const std::string& path);

// Tells the user about a problem through the message helper: nothing for
// CannotOpen, the refusal beep for BadLength, the format message for NoEntry.
void ReportTemplateProblem(TemplateProblem problem);

// Bytes of a record: the sum of the entries' sizes (1, 2, 4 or the count).
// The table of any selection depends only on its first that many bytes.
uint64_t TemplateRecordSize(const std::vector<TemplateEntry>& entries);

// The text appended to the "Table" document (code page 932, CR LF endings):
// `fileName` and CR LF; for each entry TAB, label, " = ", value, CR LF; then
// CR LF CR LF. Values are read at an offset that starts at 0 and grows by each
// entry's size: "%02X", "%04X" or "%08X" of a little-endian byte, word or
// double word, or the run's bytes with those below 0x20 shown as '.'. A field
// the bytes left do not fill has an empty value, and the offset still grows.
std::string FormatTemplateTable(std::string_view fileName, const std::vector<TemplateEntry>& entries,
                                std::span<const uint8_t> bytes);
