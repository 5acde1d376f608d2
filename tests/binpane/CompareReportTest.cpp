#include "binpane/CompareReport.h"

#include "binpane/CompareFiles.h"
#include "binpane/DumpTestSupport.h"
#include "platform/Cp932.h"
#include "support/CRecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <sys/mman.h>
#include <tuple>
#include <unistd.h>

namespace {

struct Report
{
    std::string text;
    uint64_t lines = 0;
    int beeps = 0;
};

Report InMemory(const std::string& mine, const std::string& other, const CSettings& s,
                CDumpLayout::LineCode code = CDumpLayout::LineCode::Cp932)
{
    CRecordingSink messages;
    CMemoryDumpSource a(reinterpret_cast<const uint8_t*>(mine.data()), mine.size());
    CMemoryDumpSource b(reinterpret_cast<const uint8_t*>(other.data()), other.size());
    CCompareText sink;
    const CompareOutcome r = WriteCompareReport(a, b, s, sink, code);
    EXPECT_TRUE(r.written);
    return { sink.text, r.differingLines, static_cast<int>(messages.beeps.size()) };
}

// A descriptor reading `bytes`, with no file on disk.
int MemoryFile(const std::string& bytes)
{
    const int fd = ::memfd_create("compare-test", 0);
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

Report Streamed(const std::string& mine, const std::string& other, const CSettings& s, size_t chunk,
                bool* sameSize = nullptr)
{
    CRecordingSink messages;
    const int a = MemoryFile(mine), b = MemoryFile(other);
    CCompareText sink;
    const CompareFilesOutcome r = CompareFiles(a, b, s, CDumpLayout::LineCode::Cp932, sink, chunk);
    ::close(a);
    ::close(b);
    EXPECT_EQ(r.result, CompareFilesResult::Done);
    if (sameSize)
        *sameSize = r.sameSize;
    return { sink.text, r.differingLines, static_cast<int>(messages.beeps.size()) };
}

// The report as the rule reads, byte by byte: a line differs when one of the
// bytes both sources have on it differs; in each pair of dump lines the two
// digits of every byte equal in both become two replacing characters.
Report Model(const std::string& mine, const std::string& other, const CSettings& s)
{
    dumptest::Dump da(mine, s), db(other, s);
    const CDumpGeometry g = CDumpGeometry::FromSettings(s);
    const size_t b = static_cast<size_t>(g.B), m = std::min(mine.size(), other.size());
    Report r;
    if (m == 0) {
        r.beeps = 1;
        return r;
    }
    const char replacing = s.ReplacingChar.empty() ? '-' : s.ReplacingChar[0];
    for (size_t line = 0; line * b < m; ++line) {
        const size_t count = std::min(b, m - line * b);
        if (mine.compare(line * b, count, other, line * b, count) == 0)
            continue;
        if (r.lines++ == 0) {
            uint8_t out[CDumpLayout::kLineBufferSize];
            r.text.append(reinterpret_cast<char*>(out), static_cast<size_t>(da.layout.formatHeadingLine(out, false)));
            r.text.append(reinterpret_cast<char*>(out), static_cast<size_t>(da.layout.formatRuleLine(out)));
        }
        std::string t1 = da.line(static_cast<uint32_t>(line)), t2 = db.line(static_cast<uint32_t>(line));
        const size_t both = std::min({ b, mine.size() - line * b, other.size() - line * b });
        for (size_t j = 0; j < both; ++j) {
            if (mine[line * b + j] == other[line * b + j]) {
                const auto h = static_cast<size_t>(g.cellColumn(2, static_cast<int>(j)));
                t1.replace(h, 2, 2, replacing);
                t2.replace(h, 2, 2, replacing);
            }
        }
        r.text += t1 + t2 + "\r\n";
    }
    return r;
}

} // namespace

TEST(CompareReport, OneDifferingByteShowsOnlyItsDigits)
{
    std::string mine(0x20, '\0');
    for (char c = 'A'; c <= 'P'; ++c)
        mine += c;
    std::string other = mine;
    other[0x25] = 'f';
    const std::string equal = "-- -- -- -- -- ";
    const Report r = InMemory(mine, other, dumptest::Settings(16));
    EXPECT_EQ(r.lines, 1u);
    EXPECT_EQ(r.text,
              "ADDRESS   00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  0123456789ABCDEF\r\n"
                  + std::string(76, '-') + "\r\n"
                  + "00000020  -- -- -- -- -- 46 -- --  -- -- -- -- -- -- -- --  ABCDEFGHIJKLMNOP \r\n"
                  + "00000020  -- -- -- -- -- 66 -- --  -- -- -- -- -- -- -- --  ABCDEfGHIJKLMNOP \r\n"
                  + "\r\n");
    // The first character of the replacing text.
    CSettings star = dumptest::Settings(16);
    star.ReplacingChar = "*#";
    std::string starred = r.text;
    std::replace(starred.begin() + 2 * 78, starred.end(), '-', '*');
    EXPECT_EQ(InMemory(mine, other, star).text, starred);
}

// 20 bytes against 17, 16 a line: lines 0 and 1 are compared, line 1 over its
// one common byte; bytes 17 to 19 of the longer are never compared.
TEST(CompareReport, ComparesOnlyAsFarAsTheShorterSource)
{
    const CSettings s = dumptest::Settings(16);
    const std::string mine = "0123456789abcdefABCD";
    EXPECT_EQ(std::tuple(InMemory(mine, mine.substr(0, 17), s).text, InMemory(mine.substr(0, 17), mine, s).lines),
              std::tuple("", 0u));

    const Report r = InMemory(mine, "0123456789abcdefZ", s);
    EXPECT_EQ(r.lines, 1u);
    EXPECT_EQ(r.text.substr(2 * 78), "00000010  41 42 43 44" + std::string(60 - 21, ' ') + "ABCD \r\n"
                                         + "00000010  5A" + std::string(60 - 12, ' ') + "Z \r\n\r\n");

    // Equal sources give nothing; an empty one gives a beep and nothing.
    EXPECT_EQ(std::tuple(InMemory(mine, mine, s).text, InMemory(mine, mine, s).beeps), std::tuple("", 0));
    EXPECT_EQ(std::tuple(InMemory(mine, "", s).text, InMemory("", mine, s).beeps), std::tuple("", 1));
    bool sameSize = false;
    EXPECT_TRUE((Streamed("", "", s, 1, &sameSize).text.empty() && sameSize));
}

// Random sources, settings and differences against the model; the same files
// read in chunks of any size give the same text, and so does UTF-8 output.
TEST(CompareReport, MatchesTheModelInMemoryAndStreamed)
{
    std::mt19937 rng(7);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        CSettings s = dumptest::Settings(pick(5, 64), pick(1, 4), pick(0, 1) == 1, pick(5, 64));
        s.ReplacingChar = round % 3 ? "-" : "=";
        // Sources of lead bytes only make every look-back go back to the
        // start; ESC, 0x8E and CR stand for the JIS, EUC and text cases.
        const bool large = round % 10 == 0;
        const size_t size = static_cast<size_t>(large ? pick(9000, 30000) : pick(0, 600));
        const std::string alphabet = round % 2 ? "\x81\x82\xE0\x40\x1B$B(\x8E\xA4\r\nab" : "\x81";
        std::string mine(size, '\0');
        const int last = static_cast<int>(alphabet.size()) - 1;
        for (char& c : mine) {
            const bool any = round % 2 == 1 && pick(0, 9) == 0;
            c = any ? static_cast<char>(pick(0, 255)) : alphabet[static_cast<size_t>(pick(0, last))];
        }
        std::string other = mine;
        for (int d = pick(large ? 3 : 0, 6); d > 0 && !other.empty(); --d)
            other[static_cast<size_t>(pick(0, static_cast<int>(other.size()) - 1))] ^= static_cast<char>(pick(1, 255));
        if (pick(0, 2) == 0)
            other.resize(static_cast<size_t>(pick(0, static_cast<int>(size) + 100)), 'x');
        if (pick(0, 1))
            std::swap(mine, other);

        const Report expected = Model(mine, other, s);
        const Report got = InMemory(mine, other, s);
        ASSERT_EQ(std::tuple(got.text, got.lines, got.beeps), std::tuple(expected.text, expected.lines, expected.beeps))
            << "round " << round;
        // Large sources in small chunks: the bytes before a far line are gone.
        const int chunks[] = { 1, 13, 4096, 1 << 20 };
        const auto chunk = static_cast<size_t>(chunks[pick(0, large ? 1 : 3)]);
        bool sameSize = false;
        ASSERT_EQ(Streamed(mine, other, s, chunk, &sameSize).text, expected.text)
            << "round " << round << ", chunk " << chunk;
        EXPECT_EQ(sameSize, mine.size() == other.size());
        ASSERT_EQ(InMemory(mine, other, s, CDumpLayout::LineCode::Utf8).text, cp932::ToUtf8(expected.text))
            << "round " << round;
    }
}
