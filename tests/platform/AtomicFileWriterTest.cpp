#include "platform/CAtomicFileWriter.h"

#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct stat StatOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

bool Write(const std::string& path, const std::string& content)
{
    return CAtomicFileWriter::WriteWhole(path, content.data(), content.size());
}

std::vector<std::string> NamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const passwd* Nobody()
{
    return ::getpwnam("nobody");
}

void WriteOwned(const std::string& path, uid_t uid, gid_t gid, mode_t mode)
{
    WriteFile(path, "old");
    ::chown(path.c_str(), uid, gid);
    ::chmod(path.c_str(), mode);
}

// The mode of the file the writer is writing now.
mode_t ModeWhileWriting(CAtomicFileWriter& writer)
{
    struct stat st {};
    ::fstat(fileno(writer.file()), &st);
    return st.st_mode & 07777;
}

// Runs work in a child process that, when this one is the super-user, has
// become nobody: a saver with no rights beyond an ordinary user's.
bool RunUnprivileged(const std::function<bool()>& work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0) {
            const passwd* nobody = Nobody();
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(2);
        }
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(AtomicFileWriter, RootSavingSomeoneElsesFileKeepsItTheirs)
{
    if (::geteuid() != 0 || !Nobody())
        GTEST_SKIP() << "giving a file away takes the super-user and a user nobody";
    const uid_t uid = Nobody()->pw_uid;
    const group* nogroup = ::getgrnam("nogroup");
    const gid_t gid = nogroup ? nogroup->gr_gid : Nobody()->pw_gid;
    CScopedTempDir dir;
    WriteOwned(dir / "vexel.ini", uid, gid, 0640);
    ASSERT_TRUE(Write(dir / "vexel.ini", "new content"));
    const struct stat ini = StatOf(dir / "vexel.ini");
    EXPECT_EQ(std::make_tuple(uid, gid, 0640u), std::make_tuple(ini.st_uid, ini.st_gid, ini.st_mode & 07777));
    EXPECT_EQ("new content", ReadFile(dir / "vexel.ini"));

    // A set-user-ID program of nobody's must never become one of root's.
    WriteOwned(dir / "tool", uid, gid, 06755);
    ASSERT_TRUE(Write(dir / "tool", "new"));
    const struct stat tool = StatOf(dir / "tool");
    if (tool.st_uid == uid) {
        EXPECT_EQ(06755u, tool.st_mode & 07777);
    } else {
        EXPECT_EQ(0u, tool.st_mode & (S_ISUID | S_ISGID)) << "owner now " << tool.st_uid;
    }
    EXPECT_EQ("new", ReadFile(dir / "tool"));
    EXPECT_EQ((std::vector<std::string>{"tool", "vexel.ini"}), NamesIn(dir.path()));
}

TEST(AtomicFileWriter, SaverWhoCannotReplaceTheFileWritesItInPlace)
{
    if (::geteuid() == 0 && !Nobody())
        GTEST_SKIP() << "the super-user's saves here run as the user nobody";
    const bool root = ::geteuid() == 0;
    CScopedTempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    // A file its saver may write in a folder that takes no new file.
    fs::create_directory(dir / "locked");
    const std::string locked = dir / "locked/data.bin";
    WriteFile(locked, "a longer old content");
    if (root) {
        ASSERT_EQ(0, ::chown(locked.c_str(), Nobody()->pw_uid, Nobody()->pw_gid));
    }
    ::chmod((dir / "locked").c_str(), 0555);
    const ino_t inode = StatOf(locked).st_ino;
    EXPECT_TRUE(RunUnprivileged([&] { return Write(locked, "short"); }));
    ::chmod((dir / "locked").c_str(), 0755);
    EXPECT_EQ("short", ReadFile(locked)) << "cut to the new length";
    EXPECT_EQ(inode, StatOf(locked).st_ino);
    EXPECT_EQ(std::vector<std::string>{"data.bin"}, NamesIn(dir / "locked"));

    if (!root)
        return; // only the super-user can make a file whose group its saver is not in
    const std::string shared = dir / "shared.txt";
    WriteOwned(shared, Nobody()->pw_uid, 0, 0664);
    ::chmod(dir.path().c_str(), 0777);
    EXPECT_TRUE(RunUnprivileged([&] { return Write(shared, "new"); }));
    EXPECT_EQ(0u, StatOf(shared).st_gid) << "a new file could not have had this group";
    EXPECT_EQ("new", ReadFile(shared));
}

TEST(AtomicFileWriter, LinksStayLinksAndTheirFilesGetTheContent)
{
    CScopedTempDir dir;
    WriteFile(dir / "data", "old");
    fs::create_hard_link(dir / "data", dir / "other-name");
    ASSERT_TRUE(Write(dir / "data", "new"));
    EXPECT_EQ("new", ReadFile(dir / "other-name")) << "a hard link sees the save";
    EXPECT_EQ(2u, StatOf(dir / "data").st_nlink);

    // Dangling links: the file they name is made, relative to the link's folder.
    fs::create_directory(dir / "sub");
    fs::create_symlink("made.bin", dir / "sub/dangling");
    ASSERT_TRUE(Write(dir / "sub/dangling", "made"));
    EXPECT_TRUE(fs::is_symlink(dir / "sub/dangling"));
    EXPECT_EQ("made", ReadFile(dir / "sub/made.bin"));

    for (const char* name : {"no/such/folder/x", "loop"}) {
        fs::create_symlink(name, dir / fs::path(name).filename());
        EXPECT_FALSE(Write(dir / fs::path(name).filename(), "x")) << name;
        EXPECT_TRUE(fs::is_symlink(dir / fs::path(name).filename()));
    }
    EXPECT_EQ((std::vector<std::string>{"data", "loop", "other-name", "sub", "x"}), NamesIn(dir.path()));
}

TEST(AtomicFileWriter, TemporaryFileIsPrivateAndNothingOutlivesAKill)
{
    CScopedTempDir dir;
    const mode_t mask = ::umask(022);
    WriteFile(dir / "data", "old");
    {
        CAtomicFileWriter writer(dir / "fresh");
        ASSERT_TRUE(writer.Open());
        EXPECT_EQ(0600u, ModeWhileWriting(writer));
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(0644u, StatOf(dir / "fresh").st_mode & 07777) << "a new file gets the usual mode";
    ::umask(mask);
    {
        CAtomicFileWriter writer(dir / "data");
        ASSERT_TRUE(writer.Open());
        EXPECT_EQ(0600u, ModeWhileWriting(writer)) << "while the private copy is written";
        ASSERT_EQ(3u, std::fwrite("abandoned", 1, 3, writer.file()));
    }
    EXPECT_EQ((std::vector<std::string>{"data", "fresh"}), NamesIn(dir.path()));

    const int probe = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "this file system has no unnamed files, so a kill leaves a named one";
    ::close(probe);
    int ready[2];
    ASSERT_EQ(0, ::pipe(ready));
    const pid_t child = ::fork();
    if (child == 0) {
        CAtomicFileWriter writer(dir / "data");
        const std::string part(1 << 20, 'x');
        if (!writer.Open() || std::fwrite(part.data(), 1, part.size(), writer.file()) != part.size())
            ::_exit(1);
        (void)::write(ready[1], "w", 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char written = 0;
    EXPECT_EQ(1, ::read(ready[0], &written, 1)) << "the child wrote part of the file";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    EXPECT_EQ((std::vector<std::string>{"data", "fresh"}), NamesIn(dir.path()));
    EXPECT_EQ("old", ReadFile(dir / "data"));
}

} // namespace
