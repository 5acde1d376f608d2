// Running a headless command (--dump, --compare) in tests: in a child process
// with its own profile directory, its two output streams captured.
#pragma once

#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace commandtest {

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// A headless command as main() runs it.
using CommandFunction = int (*)(int argc, char** argv, std::FILE* out, std::FILE* err);

inline int RunWith(CommandFunction command, const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    std::vector<std::string> storage { "vexel" };
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    return command(static_cast<int>(storage.size()), argv.data(), out, err);
}

// Runs in a child process, which keeps the settings a run loads out of this
// one and is killed when it has not ended after a few seconds: an input that
// blocks must fail the test, not hang it. The status is -1 then.
inline RunResult RunInChild(CommandFunction command, const std::vector<std::string>& args)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const pid_t child = ::fork();
    if (child == 0) {
        const int status = RunWith(command, args, out, err);
        std::fflush(out);
        std::fflush(err);
        ::_exit(status);
    }
    RunResult r;
    int status = 0;
    for (int tick = 0; tick < 100 && ::waitpid(child, &status, WNOHANG) == 0; ++tick)
        ::usleep(50'000);
    if (::kill(child, 0) == 0 && ::waitpid(child, &status, WNOHANG) == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    } else if (WIFEXITED(status)) {
        r.status = WEXITSTATUS(status);
    }
    r.out = ReadAndClose(out);
    r.err = ReadAndClose(err);
    return r;
}

inline size_t CountLines(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Every test runs against its own profile directory.
class CommandFixture : public ::testing::Test
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

} // namespace commandtest
