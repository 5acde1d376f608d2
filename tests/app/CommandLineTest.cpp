#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

struct ParseCase
{
    std::string raw;
    std::string cabinet;
    std::string file;
    int32_t line = 0;
    int32_t column = 0;
    bool quiet = false;
};

void ExpectParsed(const ParseCase& c, CommandLineCode code = CommandLineCode::Utf8)
{
    SCOPED_TRACE("raw: " + c.raw);
    const CommandLine parsed = ParseCommandLine(c.raw, code);
    EXPECT_EQ(parsed.cabinet, c.cabinet);
    EXPECT_EQ(parsed.file, c.file);
    EXPECT_EQ(parsed.line, c.line);
    EXPECT_EQ(parsed.column, c.column);
    EXPECT_EQ(parsed.quiet, c.quiet);
}

class TempDir
{
public:
    TempDir()
    {
        std::random_device seed;
        do {
            m_path = fs::temp_directory_path() / ("vexel-cmdline-" + std::to_string(seed()));
        } while (!fs::create_directory(m_path));
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string path() const { return m_path.string(); }
    void touch(const std::string& name) const { std::ofstream(m_path / name) << "x"; }

private:
    fs::path m_path;
};

} // namespace

TEST(CommandLine, ParsesOptionsQuotesAndTheFileArgument)
{
    const ParseCase cases[] = {
        {"", "", ""},
        {"    ", "", ""},
        {"a.bin", "", "a.bin"},
        {"-a\"D:\\sets\\my.cab\"", "D:\\sets\\my.cab", ""},
        {"-A=\"/sets/my dir/my.cab\"   x.bin", "/sets/my dir/my.cab", "x.bin"},
        {"/A=c.cab /L=12 /C=3 file.txt", "c.cab", "file.txt", 12, 3},
        {"-l5 -c7 -q x", "", "x", 5, 7, true},
        {"/Q /l100", "", "", 100, 0, true},
        {"-Quiet file", "", "file", 0, 0, true},
        {"-Lxyz -C=-4", "", "", 0, 0},
        {"-l99999999999", "", "", INT32_MAX},
        {"-x -y=1 b.bin", "", "b.bin"},
        {"- a.bin", "", "a.bin"},
        {"\"my file.bin\" -l5", "", "my file.bin"},
        {"a.bin b.bin -q", "", "a.bin"},
        {"-a=\"unterminated value", "unterminated value", ""},
        {"-a\"x.cab\"file.bin", "x.cab", "file.bin"},
        {"/a /l=3", "", "", 3},
        {"/nonexistent-vexel-dir/x.bin -l4", "", "/nonexistent-vexel-dir/x.bin"},
        {"/x/y.bin", "", "/x/y.bin"},
        {"\"あ い.bin\"", "", "あ い.bin"},
    };
    for (const ParseCase& c : cases)
        ExpectParsed(c);
}

TEST(CommandLine, DropsValuesOf256BytesOrMoreAndGoesOn)
{
    const std::string kept(255, 'k');
    const std::string dropped(256, 'd');
    ExpectParsed({"-a" + kept + " " + kept, kept, kept});
    ExpectParsed({"-a\"" + dropped + "\" -l2 f.bin", "", "f.bin", 2});
    ExpectParsed({"-q " + dropped, "", "", 0, 0, true});
}

TEST(CommandLine, TakesCp932LeadBytesWithTheirTrailByte)
{
    // 0x95 0x5C is a kanji whose trail byte is a backslash.
    const std::string kanji = "\x95\x5C";
    ExpectParsed({"\"" + kanji + "\\" + kanji + ".bin\"", "", kanji + "\\" + kanji + ".bin"},
                 CommandLineCode::Cp932);
    // A lead byte swallows the delimiter after it in code page 932 only.
    ExpectParsed({"-a\x81 x.bin", "\x81 x.bin", ""}, CommandLineCode::Cp932);
    ExpectParsed({"-a\x81 x.bin", "\x81", "x.bin"}, CommandLineCode::Utf8);
    ExpectParsed({"\"\x81\"rest x", "", "\x81\"rest x"}, CommandLineCode::Cp932);
    // A lead byte as the very last byte stands alone.
    ExpectParsed({"-a\x81", "\x81", ""}, CommandLineCode::Cp932);
    // UTF-8: the bytes of "あ" (E3 81 82) hold code page 932 lead bytes, yet the
    // closing quote and the space after the name still end it.
    ExpectParsed({"\"あ\" -l2", "", "あ"}, CommandLineCode::Utf8);
}

TEST(CommandLine, ResolvesAbsoluteNamesToRegularFilesOnDisk)
{
    TempDir dir;
    const std::string d = dir.path() + "/";
    dir.touch("data.bin");
    dir.touch("data2.bin");
    dir.touch("あ.bin");
    fs::create_directory(d + "d0.bin");

    EXPECT_EQ(ResolveAbsoluteName(d + "data.bin"), d + "data.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "d*.bin"), d + "data.bin");   // the directory d0.bin is skipped
    EXPECT_EQ(ResolveAbsoluteName(d + "data?.bin"), d + "data2.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "?.bin"), d + "あ.bin");       // "?" is one character
    EXPECT_EQ(ResolveAbsoluteName(d + "none*.bin"), d + "none*.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "d0.bin"), d + "d0.bin");
    EXPECT_TRUE(MatchFiles(d + "d0.bin", 20).empty());
    EXPECT_EQ(ParseCommandLine("\"" + d + "d*.bin\" -l3").file, d + "data.bin");

    for (int i = 0; i < 25; ++i)
        dir.touch("many" + std::to_string(100 + i));
    const std::vector<std::string> matches = MatchFiles(d + "many*", 20);
    ASSERT_EQ(matches.size(), 20u);
    EXPECT_EQ(matches.front(), d + "many100");
    EXPECT_EQ(matches.back(), d + "many119");
    EXPECT_EQ(MatchFiles(d + "*.*", 100).size(), 3u + 25u);
}

TEST(CommandLine, JoinedArgumentsParseBackToTheSameValues)
{
    const char* const argv[] = {"-a/x y/c.cab", "", "-l=5", "/tmp/my file.bin"};
    EXPECT_EQ(JoinArguments(argv), "-a\"/x y/c.cab\" -l=5 \"/tmp/my file.bin\"");
    const char* const withEquals[] = {"-A=/x y.cab", "a b"};
    EXPECT_EQ(JoinArguments(withEquals), "-A=\"/x y.cab\" \"a b\"");

    std::mt19937 random(20240611);
    const std::vector<std::string> pieces = {"a", "Z", " ", ".", "/", "あ", "表", "-", "_", "9"};
    const auto randomText = [&](size_t minLength) {
        std::string text;
        const size_t n = minLength + random() % 12;
        for (size_t i = 0; i < n; ++i)
            text += pieces[random() % pieces.size()];
        return text;
    };
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> args;
        CommandLine expected;
        if (random() % 2) {
            expected.cabinet = randomText(0);
            args.push_back((random() % 2 ? "-a" : "/A=") + expected.cabinet);
        }
        if (random() % 2) {
            expected.line = static_cast<int32_t>(random() % 100000);
            args.push_back("-l" + std::to_string(expected.line));
        }
        if (random() % 2) {
            expected.quiet = true;
            args.push_back("/q");
        }
        if (random() % 2) {
            expected.file = "/nonexistent-vexel-dir/" + randomText(1);
            args.push_back(expected.file);
        }
        std::shuffle(args.begin(), args.end() - (expected.file.empty() ? 0 : 1), random);
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        const std::string raw = JoinArguments(argv);
        SCOPED_TRACE("raw: " + raw);
        const CommandLine parsed = ParseCommandLine(raw);
        EXPECT_EQ(parsed.cabinet, expected.cabinet);
        EXPECT_EQ(parsed.file, expected.file);
        EXPECT_EQ(parsed.line, expected.line);
        EXPECT_EQ(parsed.quiet, expected.quiet);
    }
}
