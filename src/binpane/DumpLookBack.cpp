#include "binpane/DumpLookBack.h"

#include "binpane/DumpSource.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr uint32_t kChunk = 4096;
// A forward step longer than this is cheaper as a fresh walk back.
constexpr uint32_t kSjisForwardLimit = 4096;

// Lowest position a JIS or EUC walk from p0 examines. The file start is
// examined too: a text that opens with ESC $ B or with a pair is common.
uint64_t WindowLow(uint64_t p0)
{
    return p0 >= CDumpLookBack::kWindow - 1 ? p0 - (CDumpLookBack::kWindow - 1) : 0;
}

bool IsKanjiIn(uint8_t b1, uint8_t b2) { return b1 == '$' && (b2 == 'B' || b2 == '@'); }
bool IsKanjiOut(uint8_t b1, uint8_t b2) { return b1 == '(' && (b2 == 'B' || b2 == 'J'); }

} // namespace

CDumpLookBack::CDumpLookBack(CDumpSource& source) : m_source(source), m_nSize(source.size()) {}

void CDumpLookBack::prepare(Scan& scan, uint64_t lo, uint64_t p0)
{
    const bool carried = scan.start <= lo && scan.end <= p0 + 1 && p0 + 1 - scan.end <= kWindow;
    if (!carried)
        scan = Scan { lo, lo, -1, -1, false };
}

void CDumpLookBack::sourceGrew()
{
    // The JIS scan may have stopped short of an escape sequence cut by the old end.
    if (m_jis.end + 2 > m_nSize)
        m_jis = Scan {};
    m_nSize = m_source.size();
}

// A short step forward reads the bytes in between; anything else walks back
// over the lead bytes before p0.
void CDumpLookBack::moveSjis(uint64_t p0)
{
    if (m_sjis.end <= p0 && p0 - m_sjis.end <= kSjisForwardLimit)
        scanSjis(p0);
    else
        m_sjis = Scan { 0, p0, lastNonLeadBefore(p0), -1, false };
}

int64_t CDumpLookBack::lastNonLeadBefore(uint64_t end)
{
    uint64_t pos = end;
    while (pos > 0) {
        const auto n = static_cast<uint32_t>(std::min<uint64_t>(pos, kChunk));
        const uint8_t* s = m_source.span(pos - n, n);
        for (uint32_t i = n; i-- > 0;) {
            if (!cp932::IsLeadByte(s[i]))
                return static_cast<int64_t>(pos - n + i);
        }
        pos -= n;
    }
    return -1;
}

void CDumpLookBack::scanSjis(uint64_t to)
{
    while (m_sjis.end < to) {
        const auto n = static_cast<uint32_t>(std::min<uint64_t>(to - m_sjis.end, kChunk));
        noteSjis(m_sjis.end, m_source.span(m_sjis.end, n), n);
    }
}

// JIS: the state comes from the last recognised escape sequence at or before
// p0 within the window; other ESC bytes are passed over.
CDumpCodeState CDumpLookBack::jisStateAt(uint64_t p0)
{
    CDumpCodeState state;
    if (p0 == 0 || p0 >= m_nSize)
        return state;
    const uint64_t lo = WindowLow(p0);
    prepare(m_jis, lo, p0);
    scanJis(p0 + 1);
    if (m_jis.a < static_cast<int64_t>(lo))
        return state;
    const int64_t q = m_jis.a;
    state.kanji = m_jis.kanji;
    const auto p = static_cast<int64_t>(p0);
    state.secondByte = state.kanji && q + 3 < p && (p - q) % 2 == 0;
    state.carry = p < q + 3 ? static_cast<int>(q + 3 - p) : 0;
    return state;
}

void CDumpLookBack::scanJis(uint64_t to)
{
    while (m_jis.end < to) {
        const uint64_t from = m_jis.end;
        const auto count = static_cast<uint32_t>(std::min<uint64_t>(to - from, kChunk));
        // Two bytes more so that a sequence starting near the end is seen whole.
        const auto avail = static_cast<uint32_t>(std::min(from + count + 2, m_nSize) - from);
        const uint8_t* s = m_source.span(from, avail);
        const uint8_t* p = s;
        while ((p = static_cast<const uint8_t*>(std::memchr(p, kEsc, s + count - p)))) {
            const auto i = static_cast<uint32_t>(p - s);
            if (i + 2 < avail && (IsKanjiIn(p[1], p[2]) || IsKanjiOut(p[1], p[2]))) {
                m_jis.a = static_cast<int64_t>(from + i);
                m_jis.kanji = p[1] == '$';
            }
            ++p;
        }
        m_jis.end = from + count;
    }
}

// EUC: walk back over bytes 0x80 and above; a 0x8E met first means half-width
// kana, a byte below 0x80 (or the file start) is a boundary from which pairs run.
CDumpCodeState CDumpLookBack::eucStateAt(uint64_t p0)
{
    CDumpCodeState state;
    if (p0 == 0 || p0 >= m_nSize)
        return state;
    const uint64_t lo = WindowLow(p0);
    prepare(m_euc, lo, p0);
    scanEuc(p0 + 1);
    const int64_t low = m_euc.a, kanaPrefix = m_euc.b;
    const auto p = static_cast<int64_t>(p0);
    if (kanaPrefix > low && kanaPrefix >= static_cast<int64_t>(lo)) {
        state.kana = true;
        state.carry = kanaPrefix == p ? 1 : 0;
        return state;
    }
    int64_t q;
    if (low >= static_cast<int64_t>(lo))
        q = low;
    else if (lo == 0)
        q = -1;
    else
        return state;
    state.secondByte = q != p && (p - q) % 2 == 0;
    return state;
}

// Only a 0x8E after the last byte below 0x80 can matter, so each piece is
// read from its end: up to its last byte below 0x80, most often a step or two.
void CDumpLookBack::scanEuc(uint64_t to)
{
    while (m_euc.end < to) {
        const uint64_t from = m_euc.end;
        const auto n = static_cast<uint32_t>(std::min<uint64_t>(to - from, kChunk));
        const uint8_t* s = m_source.span(from, n);
        int64_t kana = -1;
        for (uint32_t i = n; i-- > 0;) {
            if (s[i] < 0x80) {
                m_euc.a = static_cast<int64_t>(from + i);
                break;
            }
            if (s[i] == 0x8E && kana < 0)
                kana = static_cast<int64_t>(from + i);
        }
        if (kana >= 0)
            m_euc.b = kana;
        m_euc.end = from + n;
    }
}
