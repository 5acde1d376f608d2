// Template files: which lines make entries, and the table text of a selection.
#include "binpane/TemplateFormat.h"

#include "support/CRecordingSink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

using T = TemplateFieldType;
using namespace std::string_literals;

TemplateEntry Entry(const std::string& label, T type, uint32_t count = 0)
{
    return TemplateEntry { label, type, count };
}

std::vector<TemplateEntry> Entries(const std::string& file)
{
    const TemplateParse parse = ParseTemplate(file);
    EXPECT_EQ(parse.problem, TemplateProblem::None) << file;
    return parse.entries;
}

TemplateProblem Problem(const std::string& file)
{
    return ParseTemplate(file).problem;
}

std::string Table(const std::vector<TemplateEntry>& entries, const std::vector<uint8_t>& bytes)
{
    return FormatTemplateTable("rec.tpl", entries, bytes);
}

} // namespace

TEST(TemplateFormat, RecordOfMagicVersionAndFlags)
{
    const auto entries = Entries("Magic,4\r\nVersion,W\r\nFlags,B\r\n");
    EXPECT_EQ(entries, (std::vector { Entry("Magic", T::Characters, 4), Entry("Version", T::Word),
                                      Entry("Flags", T::Byte) }));
    EXPECT_EQ(TemplateRecordSize(entries), 7u);
    EXPECT_EQ(Table(entries, { 0x41, 0x42, 0x43, 0x44, 0x02, 0x01, 0xFF }),
              "rec.tpl\r\n\tMagic = ABCD\r\n\tVersion = 0102\r\n\tFlags = FF\r\n\r\n\r\n");
    // A word with one byte left is empty, and so is the byte after it, which
    // would fit were it not for the word's two.
    EXPECT_EQ(Table({ Entry("A", T::Byte), Entry("W", T::Word), Entry("B", T::Byte) }, { 0x11, 0x22 }),
              "rec.tpl\r\n\tA = 11\r\n\tW = \r\n\tB = \r\n\r\n\r\n");
}

TEST(TemplateFormat, LinesSplitAtTheFirstCommaAndOnlyKnownTypesMakeEntries)
{
    EXPECT_EQ(Entries(" a b ,  \tword\r\nx,B,W\r\nLen,12abc\r\n,d\r\nlow,b\r\n"),
              (std::vector { Entry(" a b ", T::Word), Entry("x", T::Byte), Entry("Len", T::Characters, 12),
                             Entry("", T::DoubleWord), Entry("low", T::Byte) }));
    // No comma, nothing or only blanks after it, 0, X, a sign: skipped.
    EXPECT_EQ(Entries("NoComma\r\nA,\r\nB,  \t\r\nC,0\r\nD,X\r\nE,-3\r\nF,+3\r\nG,00\r\nOk,W"),
              std::vector { Entry("Ok", T::Word) });
    EXPECT_EQ(Problem("NoComma\r\nA,\r\nC,0\r\nD,X\r\nE,-3\r\n"), TemplateProblem::NoEntry);
}

TEST(TemplateFormat, LineCountAndTheByteAfterEachCr)
{
    // The last line needs no CR; the byte after a CR is skipped whatever it is,
    // even a CR; a file of LF line ends is one line.
    EXPECT_EQ(Entries(",B"), std::vector { Entry("", T::Byte) });
    EXPECT_EQ(Entries("A,B\rxC,W").back(), Entry("C", T::Word));
    EXPECT_EQ(Entries("A,B\r\rC,W").back(), Entry("C", T::Word));
    EXPECT_EQ(Entries("A,B\r\r\nC,W").back(), Entry("\nC", T::Word));
    EXPECT_EQ(Entries("A,W\nB,B\n"), std::vector { Entry("A", T::Word) });
    // Lines counted past the end of the text are empty.
    EXPECT_EQ(Entries("A,B\r\nC,W\r").size(), 2u);
    EXPECT_EQ(Entries("A,B\r\r\r\r\r").size(), 1u);
    // One byte makes no line at all.
    EXPECT_EQ(Problem("B"), TemplateProblem::NoEntry);
    // NUL bytes are ordinary bytes, in labels and in the type text.
    EXPECT_EQ(Entries("A\0B,W\r\nZ,3\0 9\r\nN,\0B\r\nLast\0,D"s),
              (std::vector { Entry("A\0B"s, T::Word), Entry("Z", T::Characters, 3), Entry("Last\0"s, T::DoubleWord) }));
}

TEST(TemplateFormat, SizeEntryAndCountLimits)
{
    EXPECT_EQ(Problem(""), TemplateProblem::BadLength);
    const std::string full = "A,B\r\n" + std::string(kMaxTemplateBytes - 5, 'x');
    EXPECT_EQ(Entries(full).size(), 1u);
    EXPECT_EQ(Problem(full + "x"), TemplateProblem::BadLength);

    // The first 100 entries; skipped lines do not count.
    std::string many;
    for (int i = 0; i < 150; ++i)
        many += "L" + std::to_string(i) + ",B\r\nskip\r\n";
    const auto entries = Entries(many);
    ASSERT_EQ(entries.size(), kMaxTemplateEntries);
    EXPECT_EQ(entries.back().label, "L99");

    // At most 10,000 characters of type text, counted after the leading blanks.
    const auto run = [](const std::string& type) { return ParseTemplate("R," + type).entries; };
    EXPECT_EQ(run(" \t5" + std::string(kMaxTemplateTypeChars - 1, 'x')),
              std::vector { Entry("R", T::Characters, 5) });
    EXPECT_TRUE(run("5" + std::string(kMaxTemplateTypeChars, 'x')).empty());

    // Counts beyond 32 bits are held at the maximum, never wrapped round to a
    // small one: 2^32 + 1 would read as 1.
    EXPECT_EQ(run("4294967297"), std::vector { Entry("R", T::Characters, UINT32_MAX) });
    EXPECT_EQ(run(std::string(9'000, '9')), std::vector { Entry("R", T::Characters, UINT32_MAX) });
    const std::vector huge { Entry("Big", T::Characters, UINT32_MAX), Entry("After", T::Byte) };
    EXPECT_EQ(Table(huge, { 'a', 'b', 'c' }), "rec.tpl\r\n\tBig = \r\n\tAfter = \r\n\r\n\r\n");
    EXPECT_EQ(TemplateRecordSize(std::vector(kMaxTemplateEntries, huge[0])), uint64_t { UINT32_MAX } * 100);
}

TEST(TemplateFormat, ProblemsAreToldAsTheEditorTellsThem)
{
    CRecordingSink sink;
    ReportTemplateProblem(TemplateProblem::CannotOpen);
    EXPECT_TRUE(sink.beeps.empty() && sink.texts.empty());
    ReportTemplateProblem(TemplateProblem::BadLength);
    EXPECT_EQ(sink.beeps.size(), 1u);
    EXPECT_TRUE(sink.texts.empty());
    ReportTemplateProblem(TemplateProblem::NoEntry);
    EXPECT_EQ(sink.texts, std::vector<std::string> { "テンプレートファイルの形式が不正です。実行できません。"
                                                     "テンプレートファイルの形式についてはヘルプを参照してください。" });
}

// Random records on random bytes against a model that spells every value
// out digit by digit, the highest byte first.
TEST(TemplateFormat, TablesOfRandomRecordsMatchAPlainModel)
{
    std::mt19937 rng(11);
    const auto hex = [](uint8_t b) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", b);
        return std::string(digits);
    };
    for (int round = 0; round < 500; ++round) {
        std::vector<TemplateEntry> entries(1 + rng() % 12);
        for (TemplateEntry& e : entries) {
            e.type = static_cast<T>(1 + rng() % 4);
            e.count = e.type == T::Characters ? 1 + rng() % 6 : 0;
            e.label = std::string(rng() % 3, static_cast<char>('a' + rng() % 26));
        }
        std::vector<uint8_t> bytes(rng() % 30);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(rng() % 4 ? rng() : rng() % 0x20);

        std::string model = "rec.tpl\r\n";
        size_t d = 0;
        for (const TemplateEntry& e : entries) {
            const size_t size = e.type == T::Characters ? e.count : e.type == T::DoubleWord ? 4 : size_t(e.type);
            model += "\t" + e.label + " = ";
            for (size_t i = 0; d + size <= bytes.size() && i < size; ++i) {
                if (e.type != T::Characters)
                    model += hex(bytes[d + size - 1 - i]);
                else
                    model += bytes[d + i] < 0x20 ? '.' : static_cast<char>(bytes[d + i]);
            }
            model += "\r\n";
            d += size;
        }
        ASSERT_EQ(Table(entries, bytes), model + "\r\n\r\n");
    }
}
