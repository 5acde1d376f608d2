#include "binpane/CompareCommand.h"

#include "binpane/CommandTestSupport.h"
#include "binpane/CompareReport.h"
#include "binpane/DumpTestSupport.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace {

using namespace commandtest;

RunResult RunCompare(const std::vector<std::string>& args)
{
    return RunInChild(RunCompareCommand, args);
}

class CompareCommand : public CommandFixture
{
};

std::string ReportOf(const std::string& mine, const std::string& other, const CSettings& s)
{
    CMemoryDumpSource a(reinterpret_cast<const uint8_t*>(mine.data()), mine.size());
    CMemoryDumpSource b(reinterpret_cast<const uint8_t*>(other.data()), other.size());
    CCompareText sink;
    EXPECT_TRUE(WriteCompareReport(a, b, s, sink).written);
    return sink.text;
}

std::string SizeMessage(const std::string& a, const std::string& b)
{
    return "vexel: " + a + " と\n" + b + " は\nサイズが相違します。小さい方のサイズ分のみ比較します。\n";
}

} // namespace

TEST_F(CompareCommand, BadInputGivesOneLineAndStatusTwo)
{
    const std::string f = file("a.bin", "abc");
    ::mkfifo((m_dir / "fifo").c_str(), 0600);
    const std::vector<std::vector<std::string>> cases = {
        { "--compare" },
        { "--compare", f },
        { "--compare", f, f, f },
        { "--compare", "--bogus", f, f },
        { "--compare", "--bytes-per-line=4", f, f },
        { "--compare", f, m_dir / "missing.bin" },
        { "--compare", m_dir / "fifo", f },
        { "--compare", f, "/dev/zero" },
    };
    for (const auto& args : cases) {
        const RunResult r = RunCompare(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        ASSERT_FALSE(r.err.empty()) << args.back();
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    const RunResult help = RunCompare({ "--compare", "--help" });
    EXPECT_EQ(std::tuple(help.status, help.err), std::tuple(0, ""));
    EXPECT_NE(help.out.find("Exit status of --compare"), std::string::npos);

    // An output that cannot be written.
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunWith(RunCompareCommand, { "--compare", f, file("b.bin", "abd") }, full, err), 2);
    std::fclose(full);
    EXPECT_NE(ReadAndClose(err).find("cannot write the report"), std::string::npos);
}

// Exit status as cmp gives it; the report is the one the editor makes; the
// size message goes to standard error.
TEST_F(CompareCommand, StatusReportAndSizeMessage)
{
    const std::string text = "0123456789abcdefABCDEFGHIJKLMNOPqrstuvwxyz";
    std::string changed = text;
    changed[20] = '\x82';
    const std::string a = file("a.bin", text), b = file("b.bin", changed), same = file("same.bin", text);
    const std::string shorter = file("short.bin", text.substr(0, 17)), empty = file("empty.bin", "");

    const auto expect = [&](const std::vector<std::string>& args, int status, const std::string& out,
                            const std::string& err) {
        const RunResult r = RunCompare(args);
        EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(status, out, err)) << args.back();
    };
    expect({ "--compare", a, same }, 0, "", "");
    expect({ "--compare", empty, file("empty2.bin", "") }, 0, "", "");
    expect({ "--compare", "--output-code", "cp932", a, b }, 1, ReportOf(text, changed, dumptest::Settings(16)), "");
    expect({ "--compare", a, b }, 1, cp932::ToUtf8(ReportOf(text, changed, dumptest::Settings(16))), "");
    // Equal as far as the shorter reaches: no line, but they differ.
    expect({ "--compare", a, shorter }, 1, "", SizeMessage(a, shorter));
    expect({ "--compare", "--", empty, a }, 1, "", SizeMessage(empty, a));

    // The profile's settings under the options given.
    WriteFile(m_dir / "vexel.ini", "[Settings]\r\nReplacingChar=*\r\nHexAddress=0\r\nStrCodeType=3\r\n");
    CSettings s = dumptest::Settings(8, 3, false, 6);
    s.ReplacingChar = "*";
    expect({ "--compare", "--output-code=cp932", "--bytes-per-line", "8", "--block", "6", b, a }, 1,
           ReportOf(changed, text, s), "");
}
