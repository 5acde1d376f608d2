#include "platform/ProgramPaths.h"

#include "platform/Messages.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
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

// Sets the variables the profile directory depends on for one test and puts
// every one of them, and the path settings, back afterwards.
class CPathEnvironment
{
public:
    CPathEnvironment()
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~CPathEnvironment()
    {
        for (size_t i = 0; i < std::size(kNames); ++i)
            set(kNames[i], m_saved[i]);
        paths::SetExecutablePath("");
        paths::SetSystemProfileDirectory("/etc/xdg/vexel");
    }
    static void set(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

private:
    static constexpr const char* kNames[] = {"VEXEL_PROFILE_DIR", "XDG_CONFIG_HOME", "HOME"};
    std::vector<std::optional<std::string>> m_saved;
};

} // namespace

TEST(ProgramPaths, ProfileDirectoryTakesTheFirstRuleThatApplies)
{
    CPathEnvironment environment;
    CScopedTempDir dir;
    fs::create_directories(dir / "portable");
    fs::create_directories(dir / "home");
    paths::SetExecutablePath(dir / "portable/vexel");

    CPathEnvironment::set("VEXEL_PROFILE_DIR", dir / "chosen/");
    CPathEnvironment::set("XDG_CONFIG_HOME", dir / "xdg");
    CPathEnvironment::set("HOME", dir / "home");
    WriteFile(dir / "portable/vexel.ini", "");
    EXPECT_EQ(paths::ProfileDirectory(), dir / "chosen");
    EXPECT_EQ(paths::ProgramFilePath(), dir / "chosen/vexel.exe");

    CPathEnvironment::set("VEXEL_PROFILE_DIR", std::nullopt);
    EXPECT_EQ(paths::ProfileDirectory(), dir / "portable");

    fs::remove(dir / "portable/vexel.ini");
    EXPECT_EQ(paths::ProfileDirectory(), dir / "xdg/vexel");
    CPathEnvironment::set("XDG_CONFIG_HOME", std::string("relative/ignored"));
    EXPECT_EQ(paths::ProfileDirectory(), dir / "home/.config/vexel");
    EXPECT_FALSE(fs::exists(dir / "home/.config")); // only named, not made

    EXPECT_TRUE(paths::EnsureProfileDirectory());
    EXPECT_TRUE(fs::is_directory(dir / "home/.config/vexel"));
}

TEST(ProgramPaths, MissingProfileIsCopiedWholeFromTheSystemDirectoryOnceUpToTwentyMebibytes)
{
    CPathEnvironment environment;
    CScopedTempDir dir;
    fs::create_directories(dir / "system");
    paths::SetSystemProfileDirectory(dir / "system");
    CPathEnvironment::set("VEXEL_PROFILE_DIR", dir / "Profile");
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
        CPathEnvironment::set("VEXEL_PROFILE_DIR", profileDir);
        EXPECT_EQ(paths::ProfileFilePath(), profileDir + "/vexel.ini");
        if (size < kFirstSizeNotCopied) {
            EXPECT_TRUE(ReadFile(profileDir + "/vexel.ini") == ReadFile(dir / "system/vexel.ini"));
        } else {
            EXPECT_FALSE(fs::exists(profileDir + "/vexel.ini"));
        }
    }

    // No system file: nothing is made.
    CPathEnvironment::set("VEXEL_PROFILE_DIR", dir / "other");
    fs::remove(dir / "system/vexel.ini");
    EXPECT_EQ(paths::ProfileFilePath(), dir / "other/vexel.ini");
    EXPECT_FALSE(fs::exists(dir / "other"));
}

TEST(ProgramPathsDeathTest, NoMemoryForTheCopyShowsTheStopBoxAndCopiesNothing)
{
    if (kSanitized)
        GTEST_SKIP() << "the sanitizer's allocator does not answer null under an address-space limit";
    CPathEnvironment environment;
    CScopedTempDir dir;
    fs::create_directories(dir / "system");
    paths::SetSystemProfileDirectory(dir / "system");
    WriteMarkedFile(dir / "system/vexel.ini", 16 << 20);
    CPathEnvironment::set("VEXEL_PROFILE_DIR", dir / "profile");

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
