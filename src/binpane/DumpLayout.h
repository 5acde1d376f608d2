// The text of the hex dump: the three parts of every line (address, hex
// digits, characters), the heading line, and the plain-text lines that screen
// copy, comparison and the --dump command write. Computable without a window.
//
// A layout takes the settings when it is made and keeps them for its life:
// make one per paint, per copy or per dump, never one for the life of a pane.
// Lines are cheapest in increasing order (the look-back of one line is carried
// to the next); any order gives the same text.
#pragma once

#include "binpane/DumpGeometry.h"
#include "binpane/DumpLookBack.h"

#include <array>
#include <cstdint>

class CDumpSource;
struct CSettings;

class CDumpLayout
{
public:
    // Room every output buffer must have: a part, or a whole plain-text line.
    static constexpr int kPartBufferSize = 160;
    static constexpr int kLineBufferSize = 512;

    // The code of the plain-text lines: the character column is CP932, or
    // made UTF-8 while it is formatted (the rest of a line is ASCII).
    enum class LineCode { Cp932, Utf8 };

    CDumpLayout(CDumpSource& source, const CSettings& settings, LineCode lineCode = LineCode::Cp932);
    explicit CDumpLayout(CDumpSource& source);  // with g_settings

    const CDumpGeometry& geometry() const { return m_geometry; }
    int cellColumn(int part, int i) const { return m_geometry.cellColumn(part, i); }
    // ⌈size / bytes per line⌉; 0 for an empty source.
    uint64_t lineCount() const { return m_nLines; }
    // The source has grown (a file still being read): the text of a line is
    // final once the source holds the line and the byte after it, or all of
    // the file.
    void sourceGrew();
    // The lines before `line` will not be formatted (a comparison that skips
    // equal lines): carry the look-back over them as formatting them would.
    // Without it a line far ahead walks back over every lead byte before it,
    // and a streamed source no longer holds them. Call it at least once per
    // chunk of a streamed source.
    void passTo(uint64_t line);

    // The text of part 1 (address), 2 (hex digits, no blanks) or 3 (characters)
    // of line L; answers the number of cells. Character k of part p stands at
    // geometry().textColumn(p, k). The address has 8 cells, more for offsets
    // that need more digits (decimal from 100,000,000 on, hexadecimal from
    // 4 GiB on); the ninth takes column 8, a blank otherwise. A line past the
    // end has an address but no hex or characters.
    int formatLinePart(int part, uint64_t line, uint8_t* out);
    // The heading texts: "ADDRESS ", the byte numbers, the last digit of each.
    int formatHeadingPart(int part, uint8_t* out) const;

    // Plain text with CR LF; each answers its length in bytes. An address of
    // ten or more digits pushes the rest of its line right, one column a digit.
    int formatDumpLine(uint64_t line, uint8_t* out);
    int formatHeadingLine(uint8_t* out, bool blankLine) const;
    int formatRuleLine(uint8_t* out) const;

private:
    struct LineBytes
    {
        uint64_t p0 = 0;
        int n = 0;              // bytes of the line
        bool hasNext = false;   // a file byte follows the line
        uint8_t bytes[CDumpGeometry::kMaxBytesPerLine + 1];  // and that byte
    };

    void readLine(uint64_t line, LineBytes& lb);
    int addressCells(uint64_t line) const;
    int formatAddress(uint64_t line, uint8_t* out) const;
    void formatHex(const LineBytes& lb, uint8_t* out) const;
    int formatCharacters(const LineBytes& lb, uint8_t* out);
    int formatSjis(const LineBytes& lb, uint8_t* out);
    int formatKanjiCode(const LineBytes& lb, uint8_t* out);

    CDumpSource& m_source;
    uint64_t m_nSize;
    CDumpGeometry m_geometry;
    uint64_t m_nLines;
    bool m_bHexAddress;
    int m_nCode;
    bool m_bIgnore8bit;
    bool m_bUtf8Lines;
    std::array<uint8_t, 256> m_sjisCell {};  // cell of each byte value in the Shift-JIS column
    CDumpLookBack m_lookBack;
};
