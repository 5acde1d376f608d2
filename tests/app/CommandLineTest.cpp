#include "app/CommandLine.h"

#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// The whole parse result, to compare in one assertion.
auto Fields(const CommandLine& c)
{
    return std::make_tuple(c.cabinet, c.file, c.line, c.column, c.quiet);
}

} // namespace

// Each argument is one token as the shell split it: blanks and quotes in a
// name belong to the name, and names of any length are kept.
TEST(CommandLine, TakesEachArgumentAsOneOptionOrTheWholeFileName)
{
    const std::string longName(300, 'n');
    const std::pair<std::vector<std::string>, CommandLine> cases[] = {
        {{"", "a.bin"}, {"", "a.bin"}},
        {{"-A=/sets/my dir/my.cab", "x.bin"}, {"/sets/my dir/my.cab", "x.bin"}},
        {{"/A=c.cab", "/L=12", "/C=3", "file.txt"}, {"c.cab", "file.txt", 12, 3}},
        {{"-l5", "-c7", "-Quiet", "x"}, {"", "x", 5, 7, true}},
        {{"-Lxyz", "-C=-4"}, {}},
        {{"-l99999999999"}, {"", "", INT32_MAX}},
        {{"-x", "-y=1", "-", "b.bin"}, {"", "b.bin"}},
        {{"x \"y z.bin", "-l5"}, {"", "x \"y z.bin"}},
        {{"a.bin", "b.bin", "-q"}, {"", "a.bin"}},
        {{"--", "-l5.bin", "-q"}, {"", "-l5.bin"}},
        {{"--"}, {}},
        {{"/a", "/l=3"}, {"", "", 3}},
        {{"あ い.bin"}, {"", "あ い.bin"}},
        {{"-a" + longName, longName}, {longName, longName}},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(Fields(ParseCommandLine(args)), Fields(expected)) << testing::PrintToString(args);
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
    EXPECT_EQ(ParseCommandLine(std::vector<std::string>{d + "d*.bin", "-l3"}).file, d + "data.bin");

    for (int i = 0; i < 25; ++i)
        WriteFile(d + "many" + std::to_string(100 + i), "x");
    std::vector<std::string> first20;
    for (int i = 0; i < 20; ++i)
        first20.push_back(d + "many" + std::to_string(100 + i));
    EXPECT_EQ(MatchFiles(d + "many*", 20), first20);
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
        EXPECT_EQ(Fields(ParseCommandLine(args)), Fields(expected));
    }
}
