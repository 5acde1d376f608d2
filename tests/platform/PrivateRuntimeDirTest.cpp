#include "platform/PrivateRuntimeDir.h"

#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::perms Mode(const std::string& path)
{
    return fs::symlink_status(path).permissions() & fs::perms::mask;
}

void MakeDir(const std::string& path, fs::perms mode)
{
    fs::create_directory(path);
    fs::permissions(path, mode);
}

// A directory another user could have made, or could change or swap, is
// never used: neither as the runtime directory nor as our own fallback,
// which is checked and never repaired.
TEST(PrivateRuntimeDir, OnlyADirectoryOwnedByTheUserWithMode0700IsUsed)
{
    const CScopedTempDir temp;
    const CScopedEnv tmpdir("TMPDIR", temp.path());
    const std::string own = temp / ("vexel-" + std::to_string(::geteuid()));
    const std::string run = temp / "run";
    MakeDir(run, fs::perms::owner_all);
    fs::create_directory_symlink(run, temp / "link");
    MakeDir(temp / "open", fs::perms::owner_all | fs::perms::group_all);
    {
        const CScopedEnv runtime("XDG_RUNTIME_DIR", run);
        EXPECT_EQ(platform::PrivateRuntimeDir(), run);
        EXPECT_FALSE(fs::exists(own));
    }
    using Value = std::optional<std::string>;
    for (const Value& unusable : {Value(), Value(""), Value(temp / "link"), Value(temp / "open")}) {
        const CScopedEnv runtime("XDG_RUNTIME_DIR", unusable);
        EXPECT_EQ(platform::PrivateRuntimeDir(), own) << unusable.value_or("(unset)");
        EXPECT_EQ(Mode(own), fs::perms::owner_all);
    }

    const CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    fs::remove(own);
    MakeDir(own, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(platform::PrivateRuntimeDir(), std::nullopt);
    EXPECT_EQ(Mode(own), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    fs::remove(own);
    fs::create_directory_symlink(run, own);
    EXPECT_EQ(platform::PrivateRuntimeDir(), std::nullopt);
    fs::remove(own);
    std::ofstream(own) << "";
    EXPECT_EQ(platform::PrivateRuntimeDir(), std::nullopt);
    fs::remove(own);
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        MakeDir(own, fs::perms::owner_all);
        ASSERT_EQ(::chown(own.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        EXPECT_EQ(platform::PrivateRuntimeDir(), std::nullopt);
    }
}

} // namespace
