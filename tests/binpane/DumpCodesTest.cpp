// The character column in JIS, EUC and UTF-16. The expected rows were worked
// out by hand from the conversion rules: 日 is JIS 467C, EUC C6FC, SJIS 93FA;
// 本 is JIS 4B5C, SJIS 967B; 亜 is JIS 3021, EUC B0A1, SJIS 889F.
#include "DumpTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using dumptest::Dump;
using dumptest::Settings;

namespace {

constexpr int kJis = 2, kEuc = 3, kUtf16 = 4;

std::vector<std::string> Rows(const std::string& data, int bytesPerLine, int code)
{
    Dump dump(data, Settings(bytesPerLine, code));
    std::vector<std::string> rows;
    for (uint32_t i = 0; i < dump.layout.lineCount(); ++i)
        rows.push_back(dump.part(3, i));
    return rows;
}

using Rows_ = std::vector<std::string>;

} // namespace

TEST(DumpCodes, JisEscapesAndPairsAcrossLineEnds)
{
    // The kanji shift straddles lines 0 and 1; the shift back opens line 2.
    EXPECT_EQ(Rows("abc\x1B$BF|K\\\x1B(Bd", 5, kJis),
              (Rows_ { "abc.. ", ".\x93\xFA\x96\x7B ", "...d" }));

    // Pairs cross both line ends: line 1 takes the whole last pair, line 2
    // opens on its second byte.
    EXPECT_EQ(Rows("\x1B$BF|K\\F|K\\\x1B(B", 5, kJis),
              (Rows_ { "...\x93\xFA ", "\x96\x7B\x93\xFA\x96\x7B", " ..." }));

    // A pair straddling the end of line 0 is taken whole; line 1 finds the
    // shift on line 0 and opens on the second byte of that pair.
    EXPECT_EQ(Rows("AB\x1B$B0!0\"\x1B(BCD", 8, kJis),
              (Rows_ { "AB...\x88\x9F\x88\xA0", " ...CD" }));

    // Controls show as '.', an ESC that starts nothing known too, and an
    // incomplete sequence at the file end switches nothing.
    EXPECT_EQ(Rows("\x01\x1BX\r\n\x1B$", 8, kJis), (Rows_ { "..X...$" }));
}

TEST(DumpCodes, JisShiftReachesBackNoFurtherThanTheWindow)
{
    std::string data = "\x1B$B";
    while (data.size() < 4200)
        data += "F|";
    Dump dump(data, Settings(16, kJis));
    std::string pairs;
    for (int i = 0; i < 8; ++i)
        pairs += "\x93\xFA";
    // Line 1 sees the shift at offset 0 (the file start is looked at too).
    EXPECT_EQ(dump.part(3, 1), " " + pairs);
    // Line 255 starts at 4080, still within 4096 positions of the shift.
    EXPECT_EQ(dump.part(3, 255), " " + pairs);
    // Line 256 starts at 4096: the shift is out of reach and the bytes are plain.
    EXPECT_EQ(dump.part(3, 256), "|F|F|F|F|F|F|F|F ");
}

TEST(DumpCodes, EucPairsAndKanaAcrossLineEnds)
{
    // A pair straddles line 0's end; line 1 opens on its second byte; line 2
    // opens on the kana byte after a 0x8E that ended line 1.
    EXPECT_EQ(Rows("abcd\xC6\xFC" "e\x8E\xB1\x8E\xB2\xC6\xFC" "g", 5, kEuc),
              (Rows_ { "abcd\x93\xFA", " e.\xB1. ", "\xB2\x93\xFAg" }));

    // 0x8E opening a line: one dot, then the kana byte as it is.
    EXPECT_EQ(Rows("abcde\x8E\xB3xyz", 5, kEuc), (Rows_ { "abcde ", ".\xB3xyz " }));

    // Pairs from the file start: the start counts as a boundary, so line 1
    // (offset 5, odd) opens on a second byte.
    EXPECT_EQ(Rows("\xB0\xA1\xB0\xA1\xB0\xA1klmn", 5, kEuc),
              (Rows_ { "\x88\x9F\x88\x9F\x88\x9F", " klmn " }));

    // Controls become '.'. A last byte that opens a pair takes the 0x01
    // look-ahead as its partner, so no lead byte is left dangling.
    EXPECT_EQ(Rows("a\tb\xB0", 5, kEuc), (Rows_ { "a.b\x88\xFF " }));
}

TEST(DumpCodes, Utf16TakesTwoCellsPerUnit)
{
    // Odd line length: two units per line, the fifth cell padded on full lines;
    // line 1 reads units across the file's pairs of bytes as they fall.
    EXPECT_EQ(Rows(std::string("A\0B\0C\0D\0E\0F\0", 12), 5, kUtf16),
              (Rows_ { "A B  ", "? ?  ", "F " }));
    EXPECT_EQ(Rows(std::string("A\0B\0C\0D\0", 8), 5, kUtf16), (Rows_ { "A B  ", "? " }));
    // A double-byte character keeps its two bytes; a control unit is '.'.
    EXPECT_EQ(Rows(std::string("\xE5\x65\x0A\x00\x41\x00\x42\x00", 8), 6, kUtf16),
              (Rows_ { "\x93\xFA. A ", "B " }));
    // A single byte left at the file end makes no unit.
    EXPECT_EQ(Rows(std::string("\x41\x00\x42", 3), 6, kUtf16), (Rows_ { "A " }));
}

TEST(DumpCodes, Utf16CellsOfEveryUnitAreTheConvertersAnswer)
{
    // Two units per line: the unit under test and a surrogate half, which
    // sends the line through the converter as a whole.
    for (uint32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const std::string unit { static_cast<char>(u & 0xFF), static_cast<char>(u >> 8) };
        const auto alone = Rows(unit + std::string("A\0", 2), 5, kUtf16);
        const auto withSurrogate = Rows(unit + std::string("\0\xD8", 2), 5, kUtf16);
        ASSERT_EQ(alone.size(), 1u);
        ASSERT_EQ(alone[0].substr(0, 2), withSurrogate[0].substr(0, 2)) << "unit " << u;
    }
}
