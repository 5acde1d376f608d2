#include "app/DumpCommand.h"

#include "binpane/DumpTestSupport.h"
#include "platform/Cp932.h"
#include "support/CScopedTempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(std::FILE* f)
{
    std::rewind(f);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return text;
}

RunResult RunDump(const std::vector<std::string>& args)
{
    std::vector<std::string> storage { "vexel" };
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    RunResult r;
    r.status = RunDumpCommand(static_cast<int>(storage.size()), argv.data(), out, err);
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every test runs against its own profile directory.
class DumpCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.valid());
        ::setenv("VEXEL_PROFILE_DIR", m_dir.path().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("VEXEL_PROFILE_DIR"); }

    std::string file(const std::string& name, const std::string& bytes)
    {
        WriteFile(m_dir / name, bytes);
        return m_dir / name;
    }

    CScopedTempDir m_dir;
};

// Letters, controls, kanji, a pair across a line end and high bytes.
const std::string kMixed = std::string("Hello\r\n\x93\xFA\x96\x7B\x8C\xEA\x00\x01\xFF", 16)
    + "abcdefghijklmnopqrstuvw\x82" + "\xA0" + "xyz\xE9";

} // namespace

TEST_F(DumpCommand, BadArgumentsGiveOneLineAndStatusTwo)
{
    const std::string f = file("a.bin", "abc");
    std::filesystem::create_directory(m_dir / "sub");
    const std::vector<std::vector<std::string>> cases = {
        { "--dump" },
        { "--dump", "--bogus", f },
        { "--dump", "-x", f },
        { "--dump", "--bytes-per-line", "4", f },
        { "--dump", "--bytes-per-line=65", f },
        { "--dump", "--bytes-per-line", "1x", f },
        { "--dump", "--block", "0", f },
        { "--dump", "--code", "ascii", f },
        { "--dump", f, "--code" },
        { "--dump", "--output-code", "latin1", f },
        { "--dump", f, f },
        { "--dump", m_dir / "missing.bin" },
        { "--dump", m_dir / "sub" },
    };
    for (const auto& args : cases) {
        const RunResult r = RunDump(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        ASSERT_FALSE(r.err.empty()) << args.back();
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

TEST_F(DumpCommand, HelpListsTheWindowAndTheDumpOptions)
{
    const RunResult r = RunDump({ "--help" });
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty());
    for (const char* option : { "vexel [options] [FILE]", "-A=CABINET", "-L=LINE", "-C=COLUMN", "-Q", "--code",
                                "--bytes-per-line", "--block", "--decimal", "--output-code" })
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

TEST_F(DumpCommand, OutputIsTheScreenCopyOfTheWholeFile)
{
    const std::string f = file("mixed.bin", kMixed);

    // Nothing in the profile: the default settings.
    RunResult r = RunDump({ "--dump", "--output-code", "cp932", f });
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(r.out, dumptest::Dump(kMixed, dumptest::Settings(16)).screenCopy());

    // The profile's settings, each option overriding its own; --block sets
    // the block size of the address form in effect.
    WriteFile(m_dir / "vexel.ini", "[Settings]\r\nBytesPerLine=8\r\nHexAddress=0\r\nStrCodeType=3\r\n");
    r = RunDump({ "--dump", "--output-code=cp932", "--block", "6", "--bytes-per-line", "12", f });
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, dumptest::Dump(kMixed, dumptest::Settings(12, 3, false, 6)).screenCopy());

    r = RunDump({ "--dump", "--output-code", "cp932", "--code", "utf16", "--hex", f });
    EXPECT_EQ(r.out, dumptest::Dump(kMixed, dumptest::Settings(8, 4, true, 8)).screenCopy());

    // An empty file: the heading and the rule only.
    r = RunDump({ "--dump", "--output-code", "cp932", "--", file("empty.bin", "") });
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, dumptest::Dump("", dumptest::Settings(8, 3, false, 5)).screenCopy());
}

TEST_F(DumpCommand, Utf8OutputIsTheCp932OutputConverted)
{
    const std::string f = file("mixed.bin", kMixed);
    const RunResult cp932 = RunDump({ "--dump", "--output-code", "cp932", "--bytes-per-line", "20", f });
    const RunResult utf8 = RunDump({ "--dump", "--bytes-per-line", "20", f });
    EXPECT_EQ(utf8.status, 0);
    EXPECT_NE(cp932.out.find("\x93\xFA\x96\x7B"), std::string::npos);
    EXPECT_EQ(utf8.out, cp932::ToUtf8(cp932.out));
    EXPECT_NE(utf8.out.find("\xE6\x97\xA5\xE6\x9C\xAC"), std::string::npos);  // 日本
}
