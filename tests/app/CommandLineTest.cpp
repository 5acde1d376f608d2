#include "app/CommandLine.h"

#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

struct ParseCase
{
    std::vector<std::string> args;
    std::string cabinet;
    std::string file;
    int32_t line = 0;
    int32_t column = 0;
    bool quiet = false;
};

} // namespace

// Each argument is one token as the shell split it: blanks and quotes in a
// name belong to the name, and names of any length are kept.
TEST(CommandLine, TakesEachArgumentAsOneOptionOrTheWholeFileName)
{
    const std::string longName(300, 'n');
    const ParseCase cases[] = {
        {{}, "", ""},
        {{"", "a.bin"}, "", "a.bin"},
        {{"-A=/sets/my dir/my.cab", "x.bin"}, "/sets/my dir/my.cab", "x.bin"},
        {{"/A=c.cab", "/L=12", "/C=3", "file.txt"}, "c.cab", "file.txt", 12, 3},
        {{"-l5", "-c7", "-q", "x"}, "", "x", 5, 7, true},
        {{"-Quiet", "file"}, "", "file", 0, 0, true},
        {{"-Lxyz", "-C=-4"}, "", "", 0, 0},
        {{"-l99999999999"}, "", "", INT32_MAX},
        {{"-x", "-y=1", "b.bin"}, "", "b.bin"},
        {{"-", "a.bin"}, "", "a.bin"},
        {{"x \"y z.bin", "-l5"}, "", "x \"y z.bin"},
        {{"\"my file.bin\""}, "", "\"my file.bin\""},
        {{"a.bin", "b.bin", "-q"}, "", "a.bin"},
        {{"--", "-l5.bin", "-q"}, "", "-l5.bin"},
        {{"--"}, "", ""},
        {{"/a", "/l=3"}, "", "", 3},
        {{"あ い.bin"}, "", "あ い.bin"},
        {{"-a" + longName, longName}, longName, longName},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CommandLine parsed = ParseCommandLine(c.args);
        EXPECT_EQ(parsed.cabinet, c.cabinet);
        EXPECT_EQ(parsed.file, c.file);
        EXPECT_EQ(parsed.line, c.line);
        EXPECT_EQ(parsed.column, c.column);
        EXPECT_EQ(parsed.quiet, c.quiet);
    }
}

TEST(CommandLine, ResolvesAbsoluteNamesToRegularFilesOnDisk)
{
    CScopedTempDir dir;
    const std::string d = dir.path() + "/";
    for (const char* name : {"data.bin", "data2.bin", "あ.bin"})
        WriteFile(d + name, "x");
    fs::create_directory(d + "d0.bin");

    EXPECT_EQ(ResolveAbsoluteName(d + "data.bin"), d + "data.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "d*.bin"), d + "data.bin");   // the directory d0.bin is skipped
    EXPECT_EQ(ResolveAbsoluteName(d + "data?.bin"), d + "data2.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "?.bin"), d + "あ.bin");       // "?" is one character
    EXPECT_EQ(ResolveAbsoluteName(d + "none*.bin"), d + "none*.bin");
    EXPECT_EQ(ResolveAbsoluteName(d + "d0.bin"), d + "d0.bin");
    EXPECT_TRUE(MatchFiles(d + "d0.bin", 20).empty());
    const std::vector<std::string> wildcard = {d + "d*.bin", "-l3"};
    EXPECT_EQ(ParseCommandLine(wildcard).file, d + "data.bin");

    for (int i = 0; i < 25; ++i)
        WriteFile(d + "many" + std::to_string(100 + i), "x");
    const std::vector<std::string> matches = MatchFiles(d + "many*", 20);
    ASSERT_EQ(matches.size(), 20u);
    EXPECT_EQ(matches.front(), d + "many100");
    EXPECT_EQ(matches.back(), d + "many119");
    EXPECT_EQ(MatchFiles(d + "*.*", 100).size(), 3u + 25u);
}

TEST(CommandLine, RandomArgumentsParseToTheValuesTheyCarry)
{
    std::mt19937 random(20240611);
    const std::vector<std::string> pieces = {"a", "Z", " ", ".", "/", "あ", "表", "-", "_", "9", "\"", "="};
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
            if (expected.cabinet.starts_with("="))
                expected.cabinet.insert(0, "x");
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
        std::shuffle(args.begin(), args.end(), random);
        if (random() % 2) {
            expected.file = "/nonexistent-vexel-dir/" + randomText(1);
            args.push_back(expected.file);
            args.push_back("-l7"); // after the file: ignored
        }
        const CommandLine parsed = ParseCommandLine(args);
        EXPECT_EQ(parsed.cabinet, expected.cabinet);
        EXPECT_EQ(parsed.file, expected.file);
        EXPECT_EQ(parsed.line, expected.line);
        EXPECT_EQ(parsed.quiet, expected.quiet);
    }
}
