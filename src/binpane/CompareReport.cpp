#include "binpane/CompareReport.h"

#include "app/Settings.h"
#include "binpane/DumpSource.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Bytes compared per span: large enough for memcmp's speed, small enough that
// a streamed source holds them.
constexpr uint32_t kStep = 1 << 16;
// Once memcmp finds a difference somewhere in this many bytes, a plain loop finds it.
constexpr size_t kProbe = 256;
constexpr int kFirstReplaced = 10;  // the first column after the address and its gap

size_t FirstDifference(const uint8_t* a, const uint8_t* b, size_t n)
{
    for (size_t i = 0; i < n; i += kProbe) {
        if (std::memcmp(a + i, b + i, std::min(kProbe, n - i)) != 0) {
            while (a[i] == b[i])
                ++i;
            return i;
        }
    }
    return n;
}

// The replacing character must fill exactly one cell, as the dummy character does.
uint8_t ReplacingCell(const std::string& text)
{
    const uint8_t b = text.empty() ? '-' : static_cast<uint8_t>(text[0]);
    return b < 0x20 || cp932::IsLeadByte(b) ? '-' : b;
}

// Equal non-blank pairs of cells become two replacing characters in both lines.
void BlankEqualBytes(uint8_t* t1, uint8_t* t2, int k, uint8_t replacing)
{
    for (int i = kFirstReplaced; i < k - 1;) {
        if (t1[i] != ' ' && t1[i] == t2[i] && t1[i + 1] != ' ' && t1[i + 1] == t2[i + 1]) {
            t1[i] = t1[i + 1] = t2[i] = t2[i + 1] = replacing;
            i += 2;
        } else {
            ++i;
        }
    }
}

// Columns by which an address of ten or more digits pushes the rest of its line right.
int AddressShift(const uint8_t* line)
{
    const auto* blank = static_cast<const uint8_t*>(std::memchr(line, ' ', CDumpLayout::kLineBufferSize));
    return std::max(0, static_cast<int>(blank - line) - (CDumpGeometry::kAddressCells + 1));
}

} // namespace

CCompareReport::CCompareReport(CDumpSource& mine, CDumpSource& other, const CSettings& settings,
                               CCompareSink& sink, CDumpLayout::LineCode lineCode)
    : m_mine(mine),
      m_other(other),
      // The blanking works on CP932 lines; UTF-8 is made afterwards.
      m_mineLayout(mine, settings),
      m_otherLayout(other, settings),
      m_sink(sink),
      m_nB(m_mineLayout.geometry().B),
      m_nC(m_mineLayout.geometry().C),
      m_replacing(ReplacingCell(settings.ReplacingChar)),
      m_nBeepSound(settings.BeepSoundType),
      m_bUtf8(lineCode == CDumpLayout::LineCode::Utf8)
{
}

void CCompareReport::sourcesGrew()
{
    m_mineLayout.sourceGrew();
    m_otherLayout.sourceGrew();
}

bool CCompareReport::compareWholeLines(uint64_t end)
{
    if (end <= m_nNextLine)
        return true;
    if (!compareBytes(end * static_cast<uint64_t>(m_nB)))
        return false;
    m_nNextLine = end;
    return true;
}

bool CCompareReport::finish()
{
    const uint64_t m = std::min(m_mine.size(), m_other.size());
    if (m == 0) {
        MessageBeep(m_nBeepSound);
        return true;
    }
    const auto b = static_cast<uint64_t>(m_nB);
    if (!compareBytes(m))
        return false;
    m_nNextLine = (m + b - 1) / b;
    return true;
}

// Compares from the next line up to byte `end` and reports each line that
// holds a difference.
bool CCompareReport::compareBytes(uint64_t end)
{
    const auto b = static_cast<uint64_t>(m_nB);
    const uint64_t step = kStep / b * b;
    uint64_t pos = m_nNextLine * b;
    while (pos < end) {
        const auto n = static_cast<uint32_t>(std::min(end - pos, step));
        const uint8_t* a = m_mine.span(pos, n);
        const size_t d = FirstDifference(a, m_other.span(pos, n), n);
        const uint64_t line = (pos + d) / b;
        m_mineLayout.passTo(line);
        m_otherLayout.passTo(line);
        if (d < n && !reportLine(line))
            return false;
        pos = d < n ? (line + 1) * b : pos + n;
    }
    return true;
}

bool CCompareReport::reportLine(uint64_t line)
{
    constexpr int kRoom = CDumpLayout::kLineBufferSize;
    uint8_t text[2 * kRoom + 2];
    if (m_nDiffering++ == 0) {
        int n = m_mineLayout.formatHeadingLine(text, false);
        n += m_mineLayout.formatRuleLine(text + n);
        if (!m_sink.write(text, static_cast<size_t>(n)))
            return false;
    }
    uint8_t* t1 = text;
    const int n1 = m_mineLayout.formatDumpLine(line, t1);
    uint8_t* t2 = t1 + n1;
    const int n2 = m_otherLayout.formatDumpLine(line, t2);
    BlankEqualBytes(t1, t2, std::min({ m_nC + AddressShift(t1), n1, n2 }), m_replacing);
    int n = n1 + n2;
    text[n++] = '\r';
    text[n++] = '\n';
    if (!m_bUtf8)
        return m_sink.write(text, static_cast<size_t>(n));
    // Each line apart, as the dump does it: the CR LF ends any pair.
    uint8_t utf8[3 * sizeof text + 1];
    size_t u = 0;
    for (const auto& [t, len] : { std::pair(t1, n1), std::pair(t2, n2) }) {
        u += cp932::WriteUtf8(t, static_cast<size_t>(len - 2), utf8 + u);
        utf8[u++] = '\r';
        utf8[u++] = '\n';
    }
    utf8[u++] = '\r';
    utf8[u++] = '\n';
    return m_sink.write(utf8, u);
}

CompareOutcome WriteCompareReport(CDumpSource& mine, CDumpSource& other, const CSettings& settings,
                                  CCompareSink& sink, CDumpLayout::LineCode lineCode)
{
    CCompareReport report(mine, other, settings, sink, lineCode);
    CompareOutcome outcome;
    outcome.written = report.finish();
    outcome.differingLines = report.differingLines();
    return outcome;
}
