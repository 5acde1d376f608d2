#include "binpane/DumpLayout.h"

#include "app/Settings.h"
#include "binpane/DumpKanjiRow.h"
#include "binpane/DumpSource.h"
#include "binpane/DumpUtf16Row.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kCodeJis = 2, kCodeEuc = 3, kCodeUtf16 = 4;

// The two digits of every byte value followed by two blanks: one store per
// byte lays the digits and the gap after them.
struct HexCells
{
    uint8_t cells[256][4];
    constexpr HexCells() : cells()
    {
        for (int b = 0; b < 256; ++b) {
            cells[b][0] = static_cast<uint8_t>(kHexDigits[b >> 4]);
            cells[b][1] = static_cast<uint8_t>(kHexDigits[b & 0xF]);
            cells[b][2] = ' ';
            cells[b][3] = ' ';
        }
    }
};
constexpr HexCells kHex;

// The dummy character must fill exactly one cell: a lead byte or a control
// byte would pair with or break the cells around it.
uint8_t DummyCell(const std::string& dummy)
{
    const uint8_t b = dummy.empty() ? '.' : static_cast<uint8_t>(dummy[0]);
    return b < 0x20 || cp932::IsLeadByte(b) ? '.' : b;
}

// At least eight digits; offsets from 100,000,000 on take a ninth, and so on.
int PutDecimal(uint64_t value, uint8_t* out)
{
    uint8_t digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<uint8_t>('0' + value % 10);
        value /= 10;
    } while (value);
    int len = 0;
    for (; len + n < 8; ++len)
        out[len] = '0';
    while (n)
        out[len++] = digits[--n];
    return len;
}

constexpr uint64_t kEachByte = 0x0101010101010101ull;

// Eight bytes at once: each byte below 0x20 becomes '.', the others stay.
uint64_t ShowControls(uint64_t w)
{
    constexpr uint64_t high = kEachByte * 0x80;
    // High bit of each byte: set when the byte is 0x20 or above.
    const uint64_t printable = (((w & ~high) + kEachByte * (0x80 - 0x20)) | w) & high;
    const uint64_t marks = printable ^ high;
    const uint64_t controls = marks | (marks - (marks >> 7));
    return (w & ~controls) | (kEachByte * '.' & controls);
}

// The bytes as they are, a byte below 0x20 as '.'.
void CopyShowingControls(const uint8_t* s, int n, uint8_t* out)
{
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, s + i, 8);
        w = ShowControls(w);
        std::memcpy(out + i, &w, 8);
    }
    for (; i < n; ++i)
        out[i] = s[i] < 0x20 ? '.' : s[i];
}

// Hexadecimal digits of an offset of 4 GiB or more (nine at least).
int PutLongHex(uint64_t value, uint8_t* out)
{
    int n = 0;
    for (uint64_t v = value; v; v >>= 4)
        ++n;
    for (int i = n; i-- > 0; value >>= 4)
        out[i] = static_cast<uint8_t>(kHexDigits[value & 0xF]);
    return n;
}

// The longest plain-text line fits its buffer: twenty address digits push the
// rest eleven columns right, and a character column of up to B + 2 cells takes
// three bytes a cell in UTF-8, with one more written past them.
constexpr int kMaxB = CDumpGeometry::kMaxBytesPerLine;
static_assert(11 + 3 * kMaxB + 11 + (kMaxB - 1) / CDumpGeometry::kMinBytesPerLine + 3 * (kMaxB + 2) + 1 + 2
              <= CDumpLayout::kLineBufferSize);

uint64_t LinesOf(uint64_t size, int bytesPerLine)
{
    const auto b = static_cast<uint64_t>(bytesPerLine);
    return size / b + (size % b ? 1 : 0);
}

} // namespace

CDumpLayout::CDumpLayout(CDumpSource& source) : CDumpLayout(source, g_settings) {}

CDumpLayout::CDumpLayout(CDumpSource& source, const CSettings& settings, LineCode lineCode)
    : m_source(source),
      m_nSize(source.size()),
      m_geometry(CDumpGeometry::FromSettings(settings)),
      m_nLines(LinesOf(m_nSize, m_geometry.B)),
      m_bHexAddress(settings.HexAddress != 0),
      m_nCode(settings.StrCodeType),
      m_bIgnore8bit(settings.Ignore8bitCode == 1),
      m_bUtf8Lines(lineCode == LineCode::Utf8),
      m_lookBack(source)
{
    const uint8_t dummy = DummyCell(settings.DummyCharFor8bit);
    for (int b = 0; b < 256; ++b) {
        uint8_t cell = static_cast<uint8_t>(b);
        if (b < 0x20)
            cell = '.';
        else if (m_bIgnore8bit && b >= 0x80)
            cell = dummy;
        m_sjisCell[static_cast<size_t>(b)] = cell;
    }
}

void CDumpLayout::sourceGrew()
{
    m_nSize = m_source.size();
    m_nLines = LinesOf(m_nSize, m_geometry.B);
    m_lookBack.sourceGrew();
}

void CDumpLayout::passTo(uint64_t line)
{
    // JIS and EUC look back over a bounded window only; UTF-16 not at all.
    if (m_nCode == kCodeJis || m_nCode == kCodeEuc || m_nCode == kCodeUtf16)
        return;
    m_lookBack.carrySjis(std::min(line * static_cast<uint64_t>(m_geometry.B), m_nSize));
}

// The line's bytes and the one after it, copied out of the source: the copy
// lets the compiler see them apart from the text being written, and the
// look-back may read the source again meanwhile.
void CDumpLayout::readLine(uint64_t line, LineBytes& lb)
{
    if (line >= m_nLines)
        return;
    const auto b = static_cast<uint64_t>(m_geometry.B);
    lb.p0 = line * b;
    lb.n = static_cast<int>(std::min(b, m_nSize - lb.p0));
    lb.hasNext = lb.p0 + static_cast<uint64_t>(lb.n) < m_nSize;
    const uint32_t count = static_cast<uint32_t>(lb.n) + (lb.hasNext ? 1 : 0);
    constexpr uint32_t kWhole = sizeof lb.bytes;
    // A fixed-size copy is a few register moves; most lines can have one.
    if (m_nSize - lb.p0 >= kWhole)
        std::memcpy(lb.bytes, m_source.span(lb.p0, kWhole), kWhole);
    else
        std::memcpy(lb.bytes, m_source.span(lb.p0, count), count);
}

int CDumpLayout::addressCells(uint64_t line) const
{
    const uint64_t offset = line * static_cast<uint64_t>(m_geometry.B);
    if (offset < (m_bHexAddress ? uint64_t { 1 } << 32 : 100'000'000u))
        return CDumpGeometry::kAddressCells;
    uint8_t digits[20];
    return formatAddress(line, digits);
}

int CDumpLayout::formatAddress(uint64_t line, uint8_t* out) const
{
    const uint64_t offset = line * static_cast<uint64_t>(m_geometry.B);
    if (!m_bHexAddress)
        return PutDecimal(offset, out);
    if (offset >> 32)
        return PutLongHex(offset, out);
    for (int i = 0; i < 4; ++i)
        std::memcpy(out + 2 * i, kHex.cells[(offset >> (24 - 8 * i)) & 0xFF], 2);
    return 8;
}

int CDumpLayout::formatLinePart(int part, uint64_t line, uint8_t* out)
{
    if (part == 1)
        return formatAddress(line, out);
    LineBytes lb;
    readLine(line, lb);
    if (part != 2)
        return formatCharacters(lb, out);
    for (int i = 0; i < lb.n; ++i)
        std::memcpy(out + 2 * i, kHex.cells[lb.bytes[i]], 2);
    return 2 * lb.n;
}

int CDumpLayout::formatCharacters(const LineBytes& lb, uint8_t* out)
{
    if (lb.n == 0)
        return 0;
    switch (m_nCode) {
    case kCodeJis:
    case kCodeEuc: return formatKanjiCode(lb, out);
    case kCodeUtf16: {
        const bool full = lb.p0 + static_cast<uint64_t>(m_geometry.B) <= m_nSize;
        return dumputf16::RowText(lb.bytes, lb.n, full, m_geometry.B, out);
    }
    default: return formatSjis(lb, out);
    }
}

int CDumpLayout::formatSjis(const LineBytes& lb, uint8_t* out)
{
    const int n = lb.n;
    if (m_bIgnore8bit) {
        for (int i = 0; i < n; ++i)
            out[i] = m_sjisCell[lb.bytes[i]];
    } else {
        CopyShowingControls(lb.bytes, n, out);
    }
    if (m_lookBack.sjisTrailAt(lb.p0, lb.bytes[0]))
        out[0] = ' ';
    m_lookBack.sawBytes(lb.p0, lb.bytes, static_cast<uint32_t>(n));
    // A pair that straddles the line end is drawn whole on this line.
    bool straddles = n > 1 && lb.hasNext && cp932::IsLeadByte(out[n - 1]);
    if (straddles) {
        straddles = cp932::ClassifyPosition(out, static_cast<size_t>(n),
                                            static_cast<size_t>(n - 1))
            == cp932::CharKind::Lead;
    }
    out[n] = ' ';
    if (straddles)
        out[n] = lb.bytes[n] < 0x20 ? '.' : lb.bytes[n];
    return n + 1;
}

int CDumpLayout::formatHeadingPart(int part, uint8_t* out) const
{
    if (part == 1) {
        std::memcpy(out, "ADDRESS ", 8);
        return 8;
    }
    const int b = m_geometry.B;
    for (int i = 0; i < b; ++i) {
        const int hi = m_bHexAddress ? i / 16 : i / 10 % 10;
        const int lo = m_bHexAddress ? i % 16 : i % 10;
        if (part == 2) {
            out[2 * i] = static_cast<uint8_t>(kHexDigits[hi]);
            out[2 * i + 1] = static_cast<uint8_t>(kHexDigits[lo]);
        } else {
            out[i] = static_cast<uint8_t>(kHexDigits[lo]);
        }
    }
    return part == 2 ? 2 * b : b;
}

int CDumpLayout::formatKanjiCode(const LineBytes& lb, uint8_t* out)
{
    const bool jis = m_nCode == kCodeJis;
    const CDumpCodeState state = jis ? m_lookBack.jisStateAt(lb.p0) : m_lookBack.eucStateAt(lb.p0);
    uint8_t work[CDumpGeometry::kMaxBytesPerLine + 1];
    std::memcpy(work, lb.bytes, static_cast<size_t>(lb.n));
    work[lb.n] = lb.hasNext ? lb.bytes[lb.n] : 0x01;
    const auto code = jis ? dumpkanji::Code::Jis : dumpkanji::Code::Euc;
    return dumpkanji::RowText(code, work, lb.n, m_geometry.B, state, out);
}

// Byte i at 10 + 3i + i/K: each byte's digits and the blanks after them,
// one extra blank after every block.
void CDumpLayout::formatHex(const LineBytes& lb, uint8_t* out) const
{
    uint8_t* cell = out + m_geometry.cellColumn(2, 0);
    for (int i = 0; i < lb.n; ++cell) {
        const int blockEnd = std::min(lb.n, i + m_geometry.K);
#pragma GCC unroll 8
        for (; i < blockEnd; ++i, cell += 3)
            std::memcpy(cell, kHex.cells[lb.bytes[i]], 4);
    }
}

int CDumpLayout::formatDumpLine(uint64_t line, uint8_t* out)
{
    LineBytes lb;
    readLine(line, lb);
    const int c = m_geometry.C;
    // Up to nine address cells leave a blank before the hex digits.
    const int shift = std::max(0, addressCells(line) - (CDumpGeometry::kAddressCells + 1));
    uint8_t* body = out + shift;
    // The hex cells of a full line leave no gap up to the character part.
    if (lb.n == m_geometry.B)
        std::memcpy(body + CDumpGeometry::kAddressCells, "  ", 2);
    else
        std::memset(body, ' ', static_cast<size_t>(c));
    formatHex(lb, body);
    int end = c;
    if (m_bUtf8Lines) {
        uint8_t cells[kPartBufferSize];
        const int n = formatCharacters(lb, cells);
        end += static_cast<int>(cp932::WriteUtf8(cells, static_cast<size_t>(n), body + c));
    } else {
        end += formatCharacters(lb, body + c);
    }
    formatAddress(line, out);
    body[end] = '\r';
    body[end + 1] = '\n';
    return shift + end + 2;
}

int CDumpLayout::formatHeadingLine(uint8_t* out, bool blankLine) const
{
    const int b = m_geometry.B, c = m_geometry.C;
    uint8_t text[kPartBufferSize];
    std::memset(out, ' ', static_cast<size_t>(c + b));
    formatHeadingPart(1, out);
    formatHeadingPart(2, text);
    for (int k = 0; k < 2 * b; ++k)
        out[m_geometry.textColumn(2, k)] = text[k];
    formatHeadingPart(3, out + c);
    int len = c + b;
    const int breaks = blankLine ? 2 : 1;
    for (int i = 0; i < breaks; ++i) {
        out[len++] = '\r';
        out[len++] = '\n';
    }
    return len;
}

int CDumpLayout::formatRuleLine(uint8_t* out) const
{
    const int n = std::min(m_geometry.C + m_geometry.B, 510);
    std::memset(out, '-', static_cast<size_t>(n));
    out[n] = '\r';
    out[n + 1] = '\n';
    return n + 2;
}
