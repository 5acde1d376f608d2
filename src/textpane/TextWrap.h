// How the text pane cuts Shift-JIS text into display lines: the character
// units (a lead byte and its trail, or CR LF, travel as one 2-byte unit),
// their widths in columns, and where a display line ends under the fold
// column, kinsoku (closing punctuation may hang past the fold) and word wrap.
// Pure functions of the bytes: the line model feeds them contiguous spans.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

// The layout options a text view wraps by.
struct CTextLayout
{
    uint32_t foldColumn = 80;
    uint32_t tabWidth = 4;
    bool wordWrap = false;
    bool kinsoku = false;
    std::string columnOut; // CP932 bytes of the characters that may hang past the fold
};

class CTextWrap
{
public:
    static constexpr uint8_t kCr = 13;

    explicit CTextWrap(const CTextLayout& layout);

    uint32_t FoldColumn() const { return m_nFold; }
    uint32_t TabWidth() const { return m_nTab; }
    bool WordWrap() const { return m_bWordWrap; }
    // The widest a display line may be: the fold, plus room for a hanging
    // character or a trailing space.
    uint32_t MaxColumns() const { return m_nFold + (m_bWordWrap || m_bKinsoku ? 2 : 0); }
    // The most bytes a display line holds, except the last one at the line limit.
    uint32_t MaxLineBytes() const { return MaxColumns() + 2; }
    // Bytes the wrap of one display line may look at from its start.
    uint32_t LookAhead() const { return m_nFold + 8; }

    static bool IsTwoByte(uint8_t b);
    // A letter or digit: words, for word wrap, are runs of them.
    static bool IsWordByte(uint8_t b);
    // The unit at s[0], n > 0 bytes to the text end: 1 or 2, never past the end.
    static uint32_t UnitLength(const uint8_t* s, uint32_t n) { return IsTwoByte(s[0]) && n > 1 ? 2 : 1; }
    // The columns the unit at s[0] takes when it starts at column c.
    uint32_t UnitWidth(const uint8_t* s, uint32_t n, uint32_t c) const
    {
        return s[0] == '\t' ? m_nTab - c % m_nTab : UnitLength(s, n);
    }

    // The length of the display line starting at s, with n > 0 bytes (or at
    // least LookAhead()) to the text end; n when the text ends on it.
    uint32_t LineLength(const uint8_t* s, uint32_t n) const;

private:
    uint32_t m_nFold;
    uint32_t m_nTab;
    bool m_bWordWrap;
    bool m_bKinsoku;
    std::bitset<256> m_hangSingle;
    std::bitset<65536> m_hangPair;

    bool MayHang(const uint8_t* s, uint32_t n) const;
};
