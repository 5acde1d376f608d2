#include "binpane/DumpCommand.h"

#include "binpane/CommandTestSupport.h"
#include "binpane/DumpTestSupport.h"
#include "platform/Cp932.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <tuple>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace commandtest;

RunResult RunDump(const std::vector<std::string>& args)
{
    return RunInChild(RunDumpCommand, args);
}

class DumpCommand : public CommandFixture
{
};

// Letters, controls, kanji, a pair across a line end and high bytes.
const std::string kMixed = std::string("Hello\r\n\x93\xFA\x96\x7B\x8C\xEA\x00\x01\xFF", 16)
    + "abcdefghijklmnopqrstuvw\x82" + "\xA0" + "xyz\xE9";

} // namespace

TEST_F(DumpCommand, BadArgumentsGiveOneLineAndStatusTwoAndHelpGoesToStandardOutput)
{
    const std::string f = file("a.bin", "abc");
    std::filesystem::create_directory(m_dir / "sub");
    ::mkfifo((m_dir / "fifo").c_str(), 0600);
    const std::vector<std::vector<std::string>> cases = {
        { "--dump" },
        { "--dump", "--bogus", f },
        { "--dump", "--bytes-per-line=65", f },
        { "--dump", "--bytes-per-line", "1x", f },
        { "--dump", "--block", "0", f },
        { "--dump", "--code", "ascii", f },
        { "--dump", f, "--code" },
        { "--dump", "--output-code", "latin1", f },
        { "--dump", f, f },
        { "--dump", m_dir / "missing.bin" },
        { "--dump", m_dir / "sub" },
        // Neither may block nor run for ever.
        { "--dump", m_dir / "fifo" },
        { "--dump", "/dev/zero" },
    };
    for (const auto& args : cases) {
        const RunResult r = RunDump(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        ASSERT_FALSE(r.err.empty()) << args.back();
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    const RunResult help = RunDump({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.err.empty());
    EXPECT_NE(help.out.find("--dump"), std::string::npos);
}

TEST_F(DumpCommand, OutputIsTheScreenCopyOfTheWholeFile)
{
    const std::string f = file("mixed.bin", kMixed);
    const auto expectDump = [](std::vector<std::string> args, const CSettings& s, const std::string& data) {
        args.insert(args.begin(), { "--dump", "--output-code", "cp932" });
        const RunResult r = RunDump(args);
        EXPECT_EQ(std::tuple(r.status, r.out, r.err),
                  std::tuple(0, dumptest::Dump(data, s).screenCopy(), std::string()));
    };
    // Nothing in the profile: the default settings; without --output-code the text comes in UTF-8.
    expectDump({ f }, dumptest::Settings(16), kMixed);
    EXPECT_EQ(RunDump({ "--dump", f }).out,
              cp932::ToUtf8(dumptest::Dump(kMixed, dumptest::Settings(16)).screenCopy()));

    // The profile's settings, each option overriding its own; --block sets
    // the block size of the address form in effect.
    WriteFile(m_dir / "vexel.ini", "[Settings]\r\nBytesPerLine=8\r\nHexAddress=0\r\nStrCodeType=3\r\n");
    expectDump({ "--block=6", "--bytes-per-line", "12", f }, dumptest::Settings(12, 3, false, 6), kMixed);
    expectDump({ "--code", "utf16", "--hex", f }, dumptest::Settings(8, 4, true, 8), kMixed);
    // An empty file: the heading and the rule only.
    expectDump({ "--", file("empty.bin", "") }, dumptest::Settings(8, 3, false, 5), "");

    // The file is read to its end, whatever size it claims (files under /proc claim 0).
    const RunResult r = RunDump({ "--dump", "/proc/cpuinfo" });
    EXPECT_EQ(r.status, 0);
    EXPECT_GT(CountLines(r.out), 3u);
    EXPECT_NE(r.out.find("\r\n00000000  "), std::string::npos);
}

// Over the editor's size limit the whole file is still dumped; one line on
// standard error says that the editor would load only its front.
TEST_F(DumpCommand, FileOverTheEditorsLimitIsDumpedWholeWithANote)
{
    WriteFile(m_dir / "vexel.ini", "[Settings]\r\nMaxEditRange=1\r\n");
    const uint64_t limit = 10'485'760 - 3;
    const uint64_t size = limit + 5;
    const std::string f = file("big.bin", std::string(size - 1, '\0') + "Z");
    const RunResult r = RunDump({ "--dump", "--bytes-per-line", "64", f });
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(CountLines(r.out), 2 + (size + 63) / 64);
    EXPECT_NE(r.out.find("\r\n00A00000  "), std::string::npos);
    EXPECT_NE(r.out.find("Z \r\n", r.out.size() - 70), std::string::npos);
    EXPECT_EQ(CountLines(r.err), 1u);
    for (const std::string& part : { std::string("文字数オーバーのため処理できません。"), f, std::to_string(size),
                                     std::to_string(limit) })
        EXPECT_NE(r.err.find(part), std::string::npos) << part;
}

namespace {

// An output that keeps only what a test looks at: the number of lines, two
// chosen lines and the end of the text.
struct CLineProbe
{
    uint64_t keepFrom = 0;
    uint64_t lines = 0;
    std::string kept, tail;

    void take(const char* p, size_t n)
    {
        tail.append(p + (n > 512 ? n - 512 : 0), std::min<size_t>(n, 512));
        tail.erase(0, tail.size() > 512 ? tail.size() - 512 : 0);
        for (const char* end = p + n; p < end;) {
            const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            const char* next = eol ? eol + 1 : end;
            if (lines - keepFrom < 2)
                kept.append(p, next);
            lines += eol != nullptr;
            p = next;
        }
    }

    std::FILE* open()
    {
        cookie_io_functions_t io {};
        io.write = [](void* self, const char* p, size_t n) -> ssize_t {
            static_cast<CLineProbe*>(self)->take(p, n);
            return static_cast<ssize_t>(n);
        };
        return ::fopencookie(this, "w", io);
    }
};

constexpr bool UnderSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
    return __has_feature(address_sanitizer);
#else
    return false;
#endif
}

} // namespace

// Positions past 4 GiB, in constant memory: a sparse file of 5 GiB.
TEST_F(DumpCommand, FileOfFiveGibibytesIsDumpedWholeInConstantMemory)
{
    if (UnderSanitizer())
        GTEST_SKIP() << "dumps 5 GiB: too slow under the sanitizers";
    const uint64_t size = uint64_t { 5 } << 30;
    const std::string path = m_dir / "sparse.bin";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ASSERT_EQ(::pwrite(fd, "HEAD", 4, 0), 4);
    ASSERT_EQ(::pwrite(fd, "\x82\xA0", 2, 0xFFFFFFFF), 2);  // a pair across the 4 GiB line
    ASSERT_EQ(::pwrite(fd, "END!", 4, static_cast<off_t>(size - 4)), 4);
    ::close(fd);

    // 64 bytes a line, blocks of 8; lines past 4 GiB have nine address digits,
    // the ninth taking the blank column as decimal addresses do.
    const auto line = [](const std::string& address, const std::string& bytes, const std::string& chars) {
        std::string text = address + (address.size() == 8 ? "  " : " ");
        for (size_t i = 0; i < 64; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", static_cast<uint8_t>(i < bytes.size() ? bytes[i] : 0));
            text += hex + std::string(i % 8 == 7 ? " " : "");
        }
        return text + chars + "\r\n";
    };
    CLineProbe probe;
    probe.keepFrom = 2 + 0xFFFFFFC0 / 64;  // after the heading and the rule
    std::FILE* out = probe.open();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunWith(RunDumpCommand, { "--dump", "--bytes-per-line", "64", path }, out, err), 0);
    std::fclose(out);
    EXPECT_NE(ReadAndClose(err).find("文字数オーバー"), std::string::npos);

    EXPECT_EQ(probe.lines, 2 + size / 64);
    EXPECT_EQ(probe.kept, line("FFFFFFC0", std::string(63, '\0') + "\x82", std::string(63, '.') + "あ")
                              + line("100000000", "\xA0", " " + std::string(63, '.') + " "));
    EXPECT_EQ(probe.tail.substr(probe.tail.rfind("\r\n", probe.tail.size() - 3) + 2),
              line("13FFFFFC0", std::string(60, '\0') + "END!", std::string(60, '.') + "END! "));
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 200 * 1024);  // kilobytes
}
