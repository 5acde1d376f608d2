// `vexel --format`: the table of a range of a file, and every way it refuses.
#include "binpane/FormatCommand.h"

#include "app/Settings.h"
#include "platform/Cp932.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;

    bool operator==(const RunResult&) const = default;
};

// Into a temporary file, or into `out` when given, which is then closed unread.
RunResult RunFormat(std::vector<std::string> args, std::FILE* out = nullptr)
{
    const bool keep = out == nullptr;
    out = keep ? std::tmpfile() : out;
    args.insert(args.begin(), { "vexel", "--format" });
    std::vector<char*> argv;
    for (std::string& s : args)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::FILE* err = std::tmpfile();
    RunResult r;
    r.status = RunFormatCommand(static_cast<int>(args.size()), argv.data(), out, err);
    r.out = keep ? ReadAndClose(out) : (std::fclose(out), "");
    r.err = ReadAndClose(err);
    return r;
}

class FormatCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.valid()); }

    std::string file(const std::string& name, const std::string& bytes)
    {
        WriteFile(m_dir / name, bytes);
        return m_dir / name;
    }

    // A file of `size` zero bytes with `bytes` at `at`, taking no room.
    std::string sparse(const std::string& name, uint64_t size, uint64_t at, const std::string& bytes)
    {
        const std::string path = m_dir / name;
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
        EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
        EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(at)), ssize_t(bytes.size()));
        ::close(fd);
        return path;
    }

    CScopedTempDir m_dir;
};

const std::string kRecord = "\x41\x42\x43\x44\x02\x01\xFF";

RunResult Table(const std::string& name, const std::string& lines, int status = 0)
{
    return { status, name + "\r\n" + lines + "\r\n\r\n", "" };
}

} // namespace

TEST_F(FormatCommand, TableOfTheRangeInEitherEncoding)
{
    const std::string tpl = file("表.tpl", "Magic,4\r\nVersion,W\r\nFlags,B\r\n");
    const std::string data = file("data.bin", "xy" + kRecord + "tail");
    const std::string example = "\tMagic = ABCD\r\n\tVersion = 0102\r\n\tFlags = FF\r\n";

    EXPECT_EQ(RunFormat({ tpl, data, "--offset", "2" }), Table(tpl, example));
    EXPECT_EQ(RunFormat({ "--output-code=cp932", "--offset=0x2", "--length=7", tpl, data }),
              Table(cp932::FromUtf8(tpl), example));
    // A word with one byte left is empty, and so is every field after it.
    EXPECT_EQ(RunFormat({ tpl, data, "--offset", "2", "--length", "5" }),
              Table(tpl, "\tMagic = ABCD\r\n\tVersion = \r\n\tFlags = \r\n"));
    EXPECT_EQ(RunFormat({ tpl, data, "--offset", "13" }), Table(tpl, "\tMagic = \r\n\tVersion = \r\n\tFlags = \r\n"));
    EXPECT_EQ(RunFormat({ tpl, data }), Table(tpl, "\tMagic = xyAB\r\n\tVersion = 4443\r\n\tFlags = 02\r\n"));

    // Only the record's bytes are read: 7 of a 1 GiB range past 4 GiB.
    const std::string big = sparse("big.bin", (uint64_t { 5 } << 30) + 3, uint64_t { 4 } << 30, kRecord);
    EXPECT_EQ(RunFormat({ tpl, big, "--offset", "0x100000000" }), Table(tpl, example));
}

TEST_F(FormatCommand, BadInputGivesOneLineAndStatusTwo)
{
    const std::string tpl = file("ok.tpl", "Magic,4\r\nVersion,W\r\nFlags,B\r\n");
    const std::string data = file("data.bin", kRecord);
    const std::string none = m_dir / "none";
    std::filesystem::create_directory(m_dir / "sub");
    ::mkfifo((m_dir / "fifo").c_str(), 0600);
    const std::string fifo = m_dir / "fifo";
    const std::string badFormat = "テンプレートファイルの形式が不正です。実行できません。"
                                  "テンプレートファイルの形式についてはヘルプを参照してください。";
    // The editor's largest selection is less than the template reads.
    const std::string wide = file("wide.tpl", "All," + std::to_string(g_nMaxImageSize));
    const std::string wideData = sparse("wide.bin", g_nMaxImageSize, 0, "x");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        { {}, "a template file and a file" },
        { { tpl }, "a template file and a file" },
        { { tpl, data, data }, "a template file and a file" },
        { { "--bogus", tpl, data }, "unknown option '--bogus'" },
        { { tpl, data, "--offset" }, "--offset needs a value" },
        { { tpl, data, "--offset", "abc" }, "--offset takes a byte count" },
        { { tpl, data, "--offset=-1" }, "--offset takes a byte count" },
        { { tpl, data, "--length", "0x" }, "--length takes a byte count" },
        { { tpl, data, "--length", "99999999999999999999" }, "--length takes a byte count" },
        { { tpl, data, "--output-code", "latin1" }, "--output-code takes utf8 or cp932" },
        { { tpl, data, "--offset", "8" }, "offset 8 lies beyond the end" },
        { { tpl, data, "--offset", "1", "--length", "7" }, "offset 1 and length 7 reach beyond the end" },
        { { tpl, none }, "cannot read '" + none + "'" },
        { { tpl, m_dir / "sub" }, "is a directory" },
        { { tpl, fifo }, "not a regular file" },
        { { none, data }, "cannot read the template '" + none + "'" },
        { { fifo, data }, "cannot read the template" },
        { { file("empty.tpl", ""), data }, "is empty or over 65,536 bytes" },
        { { file("long.tpl", std::string(65'537, ',')), data }, "is empty or over 65,536 bytes" },
        { { file("bad.tpl", "NoComma\r\nA,0\r\nB,X\r\nC,-4\r\n"), data }, badFormat },
        { { wide, wideData }, "the template reads " + std::to_string(g_nMaxImageSize) },
    };
    for (const auto& [args, says] : cases) {
        const RunResult r = RunFormat(args);
        EXPECT_EQ(r.status, 2) << says;
        EXPECT_TRUE(r.out.empty()) << says;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    // A range that holds what the template reads is fine, however short the file.
    EXPECT_EQ(RunFormat({ wide, wideData, "--length", "1" }), Table(wide, "\tAll = \r\n"));
    EXPECT_EQ(RunFormat({ wide, file("one.bin", "x") }), Table(wide, "\tAll = \r\n"));

    // The output cannot be written: status 1.
    const RunResult full = RunFormat({ tpl, data }, std::fopen("/dev/full", "w+"));
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("cannot write the table"), std::string::npos);
}
