#include "platform/ProgramPaths.h"

#include "platform/Messages.h"
#include "support/CRecordingSink.h"
#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

constexpr uintmax_t kFirstSizeNotCopied = 20971521;

// A file of `size` bytes, mostly a hole, with a marker at each end.
void WriteMarkedFile(const std::string& path, uintmax_t size)
{
    WriteFile(path, "[Settings]\r\n");
    fs::resize_file(path, size);
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(size - 3));
    file << "end";
}

// The variables the profile directory depends on may be set freely in a
// test: they and the path settings are put back afterwards.
class ProgramPathsTest : public ::testing::Test
{
protected:
    ~ProgramPathsTest() override
    {
        paths::SetExecutablePath("");
        paths::SetSystemProfileDirectory("/etc/xdg/vexel");
    }

    void useSystemDirectory(const std::string& profile)
    {
        fs::create_directories(dir / "system");
        paths::SetSystemProfileDirectory(dir / "system");
        ::setenv("VEXEL_PROFILE_DIR", profile.c_str(), 1);
    }

    CScopedTempDir dir;

private:
    const CScopedEnv m_profile{"VEXEL_PROFILE_DIR", std::nullopt};
    const CScopedEnv m_config{"XDG_CONFIG_HOME", std::nullopt};
    const CScopedEnv m_home{"HOME", std::nullopt};
};

using ProgramPathsDeathTest = ProgramPathsTest;

} // namespace

TEST_F(ProgramPathsTest, ProfileDirectoryTakesTheFirstRuleThatApplies)
{
    fs::create_directories(dir / "portable");
    paths::SetExecutablePath(dir / "portable/vexel");
    ::setenv("VEXEL_PROFILE_DIR", (dir / "chosen/").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    ::setenv("HOME", (dir / "home").c_str(), 1);
    WriteFile(dir / "portable/vexel.ini", "");
    EXPECT_EQ(paths::ProfileDirectory(), dir / "chosen");
    EXPECT_EQ(paths::ProgramFilePath(), dir / "chosen/vexel.exe");

    ::unsetenv("VEXEL_PROFILE_DIR");
    EXPECT_EQ(paths::ProfileDirectory(), dir / "portable");
    fs::remove(dir / "portable/vexel.ini");
    EXPECT_EQ(paths::ProfileDirectory(), dir / "xdg/vexel");
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(paths::ProfileDirectory(), dir / "home/.config/vexel");
    EXPECT_FALSE(fs::exists(dir / "home")); // only named, not made
    EXPECT_TRUE(paths::EnsureProfileDirectory());
    EXPECT_TRUE(fs::is_directory(dir / "home/.config/vexel"));
}

TEST_F(ProgramPathsTest, MissingProfileIsCopiedWholeFromTheSystemDirectoryOnceUpToTwentyMebibytes)
{
    useSystemDirectory(dir / "Profile");
    const std::string original = std::string("[Settings]\r\nColumnOutString=\x81\x41\x00x\r\n", 35);
    WriteFile(dir / "system/vexel.ini", original);
    // The directory keeps its case; the file name is the program's in lower case.
    EXPECT_EQ(paths::ProfileFilePath(), dir / "Profile/vexel.ini");
    EXPECT_EQ(ReadFile(dir / "Profile/vexel.ini"), original);
    WriteFile(dir / "system/vexel.ini", "changed");
    EXPECT_EQ(paths::ProfileFilePath(), dir / "Profile/vexel.ini");
    EXPECT_EQ(ReadFile(dir / "Profile/vexel.ini"), original); // an existing profile is kept

    for (const uintmax_t size : {kFirstSizeNotCopied - 1, kFirstSizeNotCopied}) {
        WriteMarkedFile(dir / "system/vexel.ini", size);
        const std::string profileDir = dir / std::to_string(size);
        ::setenv("VEXEL_PROFILE_DIR", profileDir.c_str(), 1);
        EXPECT_EQ(paths::ProfileFilePath(), profileDir + "/vexel.ini");
        const bool copied = fs::exists(profileDir + "/vexel.ini");
        EXPECT_EQ(copied, size < kFirstSizeNotCopied) << size;
        EXPECT_TRUE(!copied || ReadFile(profileDir + "/vexel.ini") == ReadFile(dir / "system/vexel.ini"));
    }

    // No system file: nothing is made.
    ::setenv("VEXEL_PROFILE_DIR", (dir / "other").c_str(), 1);
    fs::remove(dir / "system/vexel.ini");
    EXPECT_EQ(paths::ProfileFilePath(), dir / "other/vexel.ini");
    EXPECT_FALSE(fs::exists(dir / "other"));
}

TEST_F(ProgramPathsDeathTest, NoMemoryForTheCopyShowsTheStopBoxAndCopiesNothing)
{
    if (kSanitized)
        GTEST_SKIP() << "the sanitizer's allocator does not answer null under an address-space limit";
    useSystemDirectory(dir / "profile");
    WriteMarkedFile(dir / "system/vexel.ini", 16 << 20);

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto underTightMemory = [&] {
        CRecordingSink sink;
        // Room for what the process uses now and a little more, not for the buffer.
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (4 << 20);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_AS, &r);
        const std::string path = paths::ProfileFilePath();
        const bool ok = sink.captions == std::vector<std::string>{"Qorvi"} && sink.icons.back() == MsgIcon::Stop &&
                        sink.texts[0].find("メモリ不足です。") == 0 && !fs::exists(path);
        std::_Exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(underTightMemory(), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(fs::exists(dir / "profile/vexel.ini"));
}
