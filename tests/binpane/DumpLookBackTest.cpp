// The look-back answers, carried from query to query, against the walk back
// written out plainly for each position.
#include "binpane/DumpLookBack.h"
#include "binpane/MemoryDumpSource.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr uint8_t kEsc = 0x1B;

using Data = std::vector<uint8_t>;

int64_t Low(int64_t p0) { return p0 >= 4095 ? p0 - 4095 : 0; }

CDumpCodeState PlainJis(const Data& d, int64_t p0)
{
    CDumpCodeState st;
    for (int64_t q = p0; p0 > 0 && q >= Low(p0); --q) {
        if (d[q] != kEsc || q + 2 >= int64_t(d.size()))
            continue;
        const uint8_t b1 = d[q + 1], b2 = d[q + 2];
        const bool in = b1 == '$' && (b2 == 'B' || b2 == '@');
        const bool out = b1 == '(' && (b2 == 'B' || b2 == 'J');
        if (!in && !out)
            continue;
        st.kanji = in;
        st.secondByte = in && q + 3 < p0 && (p0 - q) % 2 == 0;
        st.carry = p0 < q + 3 ? static_cast<int>(q + 3 - p0) : 0;
        return st;
    }
    return st;
}

CDumpCodeState PlainEuc(const Data& d, int64_t p0)
{
    CDumpCodeState st;
    if (p0 == 0)
        return st;
    for (int64_t q = p0; q >= Low(p0); --q) {
        if (d[q] == 0x8E) {
            st.kana = true;
            st.carry = q == p0 ? 1 : 0;
            return st;
        }
        if (d[q] < 0x80) {
            st.secondByte = q != p0 && (p0 - q) % 2 == 0;
            return st;
        }
    }
    // Every byte back to the file start is high: the start is the boundary.
    if (Low(p0) == 0)
        st.secondByte = (p0 + 1) % 2 == 0;
    return st;
}

// Escape sequences, 0x8E, long runs of lead or high bytes (from the file
// start when `highStart`), and bytes of every kind.
Data RandomData(std::mt19937& rng, size_t n, bool highStart)
{
    static const std::string pieces[] = { "\x1B$B", "\x1B$@", "\x1B(B", "\x1B(J", "\x1B$", "\x1B" };
    Data d(highStart ? 100 + rng() % 5000 : 0, 0xB0);
    while (d.size() < n) {
        const unsigned r = rng() % 1000;
        if (r < 30) {
            const std::string& p = pieces[rng() % 6];
            d.insert(d.end(), p.begin(), p.end());
        } else if (r < 33) {
            // Long runs: lead bytes only, or high bytes without 0x8E.
            const size_t run = 100 + rng() % 6000;
            const bool lead = rng() % 2;
            for (size_t i = 0; i < run; ++i)
                d.push_back(static_cast<uint8_t>(lead ? 0x81 + rng() % 31 : 0xA1 + rng() % 90));
        } else if (r < 60) {
            d.push_back(0x8E);
        } else if (r < 500) {
            d.push_back(static_cast<uint8_t>(0x80 + rng() % 0x80));
        } else {
            d.push_back(static_cast<uint8_t>(rng() % 0x80));
        }
    }
    d.resize(n);
    return d;
}

// Positions as a pane, a screen copy and a jump would ask for them.
std::vector<uint32_t> Queries(std::mt19937& rng, uint32_t size)
{
    std::vector<uint32_t> q;
    const uint32_t stride = 5 + rng() % 60;
    for (uint32_t p = 0; p < size; p += stride)
        q.push_back(p);
    for (int i = 0; i < 300; ++i) {
        const uint32_t base = rng() % size;
        q.push_back(base);
        for (int k = 1; k < 4; ++k)
            q.push_back(std::min(size - 1, base + static_cast<uint32_t>(k) * stride));
    }
    return q;
}

auto Fields(const CDumpCodeState& s)
{
    return std::tuple(s.kanji, s.kana, s.secondByte, s.carry);
}

} // namespace

TEST(DumpLookBack, CarriedAnswersEqualTheWalkBackAtEveryPosition)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 12; ++round) {
        const Data d = RandomData(rng, 1 + rng() % 40000, round % 3 == 0);
        const auto size = static_cast<uint32_t>(d.size());
        CMemoryDumpSource source(d.data(), size);
        CDumpLookBack sjis(source), jis(source), euc(source);
        for (const uint32_t p0 : Queries(rng, size)) {
            const bool trail = cp932::ClassifyPosition(d.data(), size, p0) == cp932::CharKind::Trail;
            ASSERT_EQ(sjis.sjisTrailAt(p0, d[p0]), trail) << "round " << round << " at " << p0;
            // Bytes a caller read anyway may be handed over, or not.
            if (rng() % 2) {
                const uint32_t n = std::min<uint32_t>(size - p0, 1 + rng() % 64);
                sjis.sawBytes(p0, d.data() + p0, n);
            }
            ASSERT_EQ(std::pair(Fields(jis.jisStateAt(p0)), Fields(euc.eucStateAt(p0))),
                      std::pair(Fields(PlainJis(d, p0)), Fields(PlainEuc(d, p0))))
                << "round " << round << " at " << p0;
        }
    }
}
