// The fast find against the plain one on random data and patterns (passing
// over the selected hit, wrapping, patterns longer than the data), then the
// case rule, which the plain one shares.
#include "binpane/ByteSearch.h"
#include "NaiveFind.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using naive::Bytes;

// Few distinct bytes, so matches are frequent: letters in both cases, a
// Shift-JIS lead byte and bytes that only look like letters above 0x80.
constexpr uint8_t kAlphabet[] = {'a', 'A', 'b', 'B', 'z', 'Z', '@', '[', 0x00, 0x82, 0xC1, 0xE1};

uint8_t randomByte(std::mt19937& rng) { return kAlphabet[rng() % sizeof kAlphabet]; }

Bytes randomData(std::mt19937& rng, size_t size)
{
    Bytes data(size);
    for (uint8_t& b : data)
        b = randomByte(rng);
    return data;
}

BytePattern randomPattern(std::mt19937& rng, const Bytes& data)
{
    BytePattern p;
    const size_t n = 1 + rng() % 7;
    const bool fromData = !data.empty() && rng() % 2 == 0;
    const size_t at = data.empty() ? 0 : rng() % data.size();
    for (size_t i = 0; i < n; ++i) {
        p.bytes.push_back(fromData && at + i < data.size() ? data[at + i] : randomByte(rng));
        p.anyByte.push_back(rng() % 5 == 0 ? 1 : 0);
    }
    if (rng() % 4 == 0) { // as typed into the hex part: no any-byte positions, always with case
        p.source = PatternSource::HexPart;
        p.anyByte.assign(n, 0);
    }
    return p;
}

FindRequest randomRequest(std::mt19937& rng, const Bytes& data, const BytePattern& p)
{
    FindRequest r;
    const auto size = uint32_t(data.size());
    r.down = rng() % 2 == 0;
    r.matchCase = rng() % 2 == 0;
    r.start = static_cast<FindStart>(rng() % 3);
    r.caret = uint32_t(rng() % (size + 1));
    r.selection = size > 0 && rng() % 2 == 0;
    if (r.selection) {
        r.selStart = uint32_t(rng() % size);
        // Often a selection just as long as the pattern, to meet the pass-over rule.
        const uint32_t length = rng() % 3 == 0 ? uint32_t(1 + rng() % 8) : p.size();
        r.selEnd = std::min(size - 1, r.selStart + length - 1);
    }
    return r;
}

} // namespace

// Short data meets every mode and direction often; long data, dense or with
// sparse matches, runs the abort counter over several intervals.
TEST(FindBytes, AgreesWithPlainSearchOnRandomData)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 30'400; ++round) {
        const bool longData = round % 76 == 0;
        Bytes data = randomData(rng, longData ? 2'000 + rng() % 7'000 : rng() % 120);
        if (longData && round % 152 == 0) {
            for (uint8_t& b : data)
                b = rng() % 64 == 0 ? b : uint8_t('.');
        }
        const BytePattern p = randomPattern(rng, data);
        const FindRequest r = randomRequest(rng, data, p);
        // The abort stops at the given call (0: never); both must ask as often.
        const int stopAt = rng() % 3 == 0 ? int(1 + rng() % 4) : 0;
        int fastCalls = 0, plainCalls = 0;
        const auto got =
            findBytes(data.data(), uint32_t(data.size()), p, r, [&] { return ++fastCalls == stopAt; });
        const auto want = naive::find(data, p, r, [&] { return ++plainCalls == stopAt; });
        ASSERT_EQ(std::pair(got, fastCalls), std::pair(want, plainCalls))
            << "round " << round << " size " << data.size() << " n " << p.size() << " down " << r.down
            << " case " << r.matchCase << " mode " << int(r.start) << " caret " << r.caret << " sel "
            << r.selection;
    }
}

TEST(FindBytes, WithoutCaseOnlyAsciiLettersMeetEvenAsTrailBytes)
{
    // 0x82 0x61 is a double-byte character whose trail byte is 'a'.
    const Bytes data = {0xC1, 'x', 0x82, 'A', 'q'};
    FindRequest r;
    r.matchCase = false;
    auto find = [&](const BytePattern& p) { return findBytes(data.data(), uint32_t(data.size()), p, r); };
    EXPECT_EQ(find(patternFromText("\x82" "a", PatternSource::CharPart, false)), 2u);
    EXPECT_EQ(find(patternFromText("\xE1", PatternSource::CharPart, false)), std::nullopt);
    // Hex digits give bytes, not letters: they are compared with case even when asked not to.
    r.matchCase = false;
    EXPECT_EQ(find(patternFromText("61", PatternSource::HexPart, false)), std::nullopt);
    EXPECT_EQ(find(patternFromText("41", PatternSource::HexPart, false)), 3u);
}
