#include "DumpTestSupport.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using dumptest::Dump;
using dumptest::Settings;

namespace {

std::string Text(const uint8_t* out, int n)
{
    return std::string(reinterpret_cast<const char*>(out), static_cast<size_t>(n));
}

} // namespace

// Whole lines are checked against the plain rules below and, as a screen
// copy, by the pane's clipboard tests.
TEST(DumpLayout, HeadingsPartsAndAnEmptySource)
{
    const std::string data = std::string(32, '\0') + "ABCDEFGHIJKLMNOP";
    Dump dump(data, Settings(16));
    const std::string heading =
        "ADDRESS   00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  0123456789ABCDEF\r\n";
    uint8_t out[CDumpLayout::kLineBufferSize];
    EXPECT_EQ(Text(out, dump.layout.formatHeadingLine(out, true)), heading + "\r\n");
    EXPECT_EQ(dump.part(1, 2) + dump.part(2, 2), "000000204142434445464748494A4B4C4D4E4F50");

    // Decimal headings give the last digit of each byte number.
    Dump decimal("", Settings(16, 1, false, 5));
    EXPECT_EQ(Text(out, decimal.layout.formatHeadingPart(3, out)), "0123456789012345");
    // An empty source has no lines, only the heading and the rule.
    Dump empty("", Settings(16));
    EXPECT_EQ(empty.screenCopy(), heading + std::string(76, '-') + "\r\n");
}

namespace {

// Letters at every position of a source far larger than memory.
class CHugeSource final : public CDumpSource
{
public:
    explicit CHugeSource(uint64_t size) : m_nSize(size) {}
    uint64_t size() const override { return m_nSize; }
    uint8_t byteAt(uint64_t pos) override { return *span(pos, 1); }
    const uint8_t* span(uint64_t pos, uint32_t) override
    {
        for (uint32_t i = 0; i < sizeof m_bytes; ++i)
            m_bytes[i] = static_cast<uint8_t>('a' + (pos + i) % 16);
        return m_bytes;
    }

private:
    uint64_t m_nSize;
    uint8_t m_bytes[256];
};

} // namespace

// Addresses take the digits they need: the ninth takes the blank column 8,
// each further one pushes the rest of the line right.
TEST(DumpLayout, LongAddressesWidenTheirLine)
{
    for (const bool hex : { true, false }) {
        CHugeSource source(uint64_t { 1 } << 41);
        CDumpLayout layout(source, Settings(16, 1, hex, 8));
        uint8_t out[CDumpLayout::kLineBufferSize];
        const std::string first = Text(out, layout.formatDumpLine(0, out));
        const uint64_t offsets[] = { 99'999'984, 100'000'000, 0xFFFFFFF0, uint64_t { 1 } << 32,
                                     999'999'984, 1'000'000'000, uint64_t { 1 } << 36,
                                     10'000'000'000, (uint64_t { 1 } << 41) - 16 };
        for (const uint64_t offset : offsets) {
            char address[24];
            std::snprintf(address, sizeof address, hex ? "%08llX" : "%08llu",
                          static_cast<unsigned long long>(offset));
            const std::string digits = address;
            EXPECT_EQ(Text(out, layout.formatDumpLine(offset / 16, out)),
                      digits + first.substr(digits.size() == 8 ? 8 : 9));
            EXPECT_EQ(Text(out, layout.formatLinePart(1, offset / 16, out)), digits);
        }
    }
    // The past-the-end line of a small source has its address too.
    Dump dump("x", Settings(16, 1, false, 8));
    EXPECT_EQ(dump.line(6'250'000), "100000000" + std::string(51, ' ') + "\r\n");
}

namespace {

// The Shift-JIS dump line written the plain way: every rule applied to the
// whole buffer at once, nothing carried from line to line.
std::string PlainSjisLine(const std::string& d, const CSettings& s, uint32_t line)
{
    const auto* u = reinterpret_cast<const uint8_t*>(d.data());
    const uint32_t size = static_cast<uint32_t>(d.size());
    const int b = s.BytesPerLine, k = s.HexAddress ? s.HexBlockBytes : s.DecimalBlockBytes;
    const int c = 3 * b + 11 + (b - 1) / k;
    const uint32_t p0 = line * static_cast<uint32_t>(b);
    const int n = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(b), size - p0));
    std::string out(512, ' ');
    char text[16];
    std::snprintf(text, sizeof text, s.HexAddress ? "%08X" : "%08d", p0);
    out.replace(0, 8, text);
    std::string cells;
    for (int i = 0; i < n; ++i) {
        std::snprintf(text, sizeof text, "%02X", u[p0 + i]);
        out.replace(static_cast<size_t>(10 + 3 * i + i / k), 2, text);
        const uint8_t v = u[p0 + i];
        cells += v < 0x20 ? '.' : (s.Ignore8bitCode == 1 && v >= 0x80 ? s.DummyCharFor8bit[0] : static_cast<char>(v));
    }
    if (cp932::ClassifyPosition(u, size, p0) == cp932::CharKind::Trail)
        cells[0] = ' ';
    const auto* cu = reinterpret_cast<const uint8_t*>(cells.data());
    if (n > 1 && p0 + static_cast<uint32_t>(n) < size
        && cp932::ClassifyPosition(cu, cells.size(), cells.size() - 1) == cp932::CharKind::Lead)
        cells += u[p0 + n] < 0x20 ? '.' : static_cast<char>(u[p0 + n]);
    else
        cells += ' ';
    out.replace(static_cast<size_t>(c), cells.size(), cells);
    out.resize(static_cast<size_t>(c) + cells.size());
    return out + "\r\n";
}

std::string RandomSjisBytes(std::mt19937& rng, size_t n)
{
    std::string d(n, '\0');
    for (char& ch : d) {
        const unsigned r = rng() % 100;
        if (r < 40)
            ch = static_cast<char>(r < 30 ? 0x81 + rng() % 31 : 0xE0 + rng() % 29);
        else if (r < 55)
            ch = static_cast<char>(rng() % 0x40);
        else
            ch = static_cast<char>(rng() % 256);
    }
    return d;
}

} // namespace

TEST(DumpLayout, ShiftJisLinesEqualThePlainRulesInAnyOrder)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        const std::string data = RandomSjisBytes(rng, 1 + rng() % 3000);
        CSettings s = Settings(5 + static_cast<int>(rng() % 60), 1, rng() % 2 == 0,
                               5 + static_cast<int>(rng() % 60));
        s.Ignore8bitCode = rng() % 4 == 0 ? 1 : 0;
        Dump forward(data, s), shuffled(data, s);
        const uint32_t lines = forward.layout.lineCount();
        for (uint32_t i = 0; i < 2 * lines; ++i) {
            const uint32_t line = i < lines ? i : rng() % lines;
            ASSERT_EQ((i < lines ? forward : shuffled).line(line), PlainSjisLine(data, s, line))
                << "round " << round << " line " << line;
        }
    }
}
