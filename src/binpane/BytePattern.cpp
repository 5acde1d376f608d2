#include "binpane/BytePattern.h"

#include "platform/Cp932.h"
#include "platform/HexDigits.h"

#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Pairs of hex digits, as a dump shows them: blanks may stand between pairs
// ("41 42") but never inside one ("4 142").
BytePattern fromHexDigits(std::string_view text)
{
    BytePattern pattern;
    pattern.source = PatternSource::HexPart;
    for (size_t i = 0; i < text.size();) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        const int high = HexDigitValue(text[i]);
        const int low = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            pattern = BytePattern();
            pattern.source = PatternSource::HexPart;
            pattern.refused = true;
            return pattern;
        }
        pattern.bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        i += 2;
    }
    pattern.anyByte.assign(pattern.bytes.size(), 0);
    return pattern;
}

BytePattern asItIs(std::string_view text)
{
    BytePattern pattern;
    pattern.bytes.assign(text.begin(), text.end());
    pattern.anyByte.assign(text.size(), 0);
    return pattern;
}

// Reads escapes from text left to right into a pattern.
class CEscapeReader
{
public:
    explicit CEscapeReader(std::string_view text) : m_text(text) {}

    BytePattern read()
    {
        while (m_pos < m_text.size()) {
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size())
                readEscape();
            else
                readCharacter();
        }
        return std::move(m_pattern);
    }

private:
    uint8_t at(size_t i) const { return static_cast<uint8_t>(m_text[i]); }

    void put(uint8_t b, bool any = false)
    {
        m_pattern.bytes.push_back(b);
        m_pattern.anyByte.push_back(any ? 1 : 0);
    }

    // One character as it stands: a lead byte takes its trail byte along.
    void readCharacter()
    {
        const uint8_t b = at(m_pos++);
        put(b);
        if (cp932::IsLeadByte(b) && m_pos < m_text.size())
            put(at(m_pos++));
    }

    void readEscape()
    {
        const char c = m_text[m_pos + 1];
        switch (c) {
        case 'a': case 'A': putEscape(0x07); return;
        case 'b': case 'B': putEscape(0x08); return;
        case 'f': case 'F': putEscape(0x0C); return;
        case 't': case 'T': putEscape(0x09); return;
        case 'v': case 'V': putEscape(0x0B); return;
        case 'n': case 'N': put(0x0D); putEscape(0x0A); return;
        case '.': putEscape('.', true); return;
        case '\\': putEscape('\\'); return;
        case 'x': case 'X': readHexEscape(); return;
        default:
            // The backslash stays; the next character is read as an ordinary one.
            put('\\');
            ++m_pos;
            return;
        }
    }

    void putEscape(uint8_t b, bool any = false)
    {
        put(b, any);
        m_pos += 2;
    }

    void readHexEscape()
    {
        const size_t digits = m_pos + 2;
        const int high = digits < m_text.size() ? HexDigitValue(m_text[digits]) : -1;
        if (high < 0) {
            // Without a digit the backslash and the letter are both kept.
            put('\\');
            put(at(m_pos + 1));
            m_pos += 2;
            return;
        }
        const int low = digits + 1 < m_text.size() ? HexDigitValue(m_text[digits + 1]) : -1;
        if (low < 0) {
            put(static_cast<uint8_t>(high));
            m_pos += 3;
        } else {
            put(static_cast<uint8_t>(high * 16 + low));
            m_pos += 4;
        }
    }

    std::string_view m_text;
    size_t m_pos = 0;
    BytePattern m_pattern;
};

} // namespace

bool BytePattern::hasAnyByte() const
{
    return std::find(anyByte.begin(), anyByte.end(), 1) != anyByte.end();
}

BytePattern patternFromText(std::string_view text, PatternSource source, bool enRexp)
{
    if (source == PatternSource::HexPart)
        return fromHexDigits(text);
    if (!enRexp || text.empty() || text.size() > kMaxEscapedChars)
        return asItIs(text);
    return CEscapeReader(text).read();
}
