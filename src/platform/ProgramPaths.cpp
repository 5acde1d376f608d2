#include "platform/ProgramPaths.h"

#include "platform/AtomicFile.h"
#include "platform/Messages.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace paths {
namespace {

constexpr uintmax_t kMaxCopiedProfile = 20971521; // this size and above is not copied
constexpr size_t kCopySlack = 10;

std::string g_strExecutablePath;
std::string g_strSystemProfileDirectory = "/etc/xdg/vexel";

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Join(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::string ExecutableDirectory()
{
    std::error_code ec;
    fs::path exe;
    if (g_strExecutablePath.find('/') != std::string::npos)
        exe = fs::absolute(g_strExecutablePath, ec);
    else
        exe = fs::read_symlink("/proc/self/exe", ec); // found through PATH, or not told
    if (ec || exe.empty())
        return {};
    return WithoutTrailingSeparators(exe.parent_path().string());
}

std::string HomeDirectory()
{
    std::string home = EnvironmentValue("HOME");
    if (!home.empty())
        return home;
    char buffer[4096];
    passwd entry;
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &result) == 0 && result &&
        result->pw_dir)
        return result->pw_dir;
    return {};
}

std::string UserConfigDirectory()
{
    const std::string xdg = EnvironmentValue("XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg[0] == '/') // relative values are to be ignored
        return Join(WithoutTrailingSeparators(xdg), "vexel");
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : Join(WithoutTrailingSeparators(home), ".config/vexel");
}

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The whole file, or nullopt (nothing to copy) when it is missing, too large,
// unreadable or no buffer can be had; the last also shows the memory box.
std::optional<std::string> ReadSystemProfile(const std::string& source)
{
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        return std::nullopt;
    const uintmax_t size = fs::file_size(source, ec);
    if (ec || size >= kMaxCopiedProfile)
        return std::nullopt;
    const size_t capacity = static_cast<size_t>(size) + kCopySlack;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[capacity]);
    if (!buffer) {
        ShowOutOfMemory("Qorvi");
        return std::nullopt;
    }
    std::FILE* file = std::fopen(source.c_str(), "rb");
    if (!file)
        return std::nullopt;
    // A file that grew since it was measured is copied up to its measured size.
    const size_t got = std::fread(buffer.get(), 1, static_cast<size_t>(size), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return std::string(buffer.get(), got);
}

void CopySystemProfileIfMissing(const std::string& iniPath, const std::string& fileName)
{
    std::error_code ec;
    if (fs::symlink_status(iniPath, ec).type() != fs::file_type::not_found)
        return; // present, or unknown: never replaced
    const auto content = ReadSystemProfile(Join(g_strSystemProfileDirectory, fileName));
    // A failed copy leaves the profile missing, which reads as all defaults.
    if (content)
        (void)WriteFileAtomic(iniPath, *content);
}

} // namespace

std::string ProfileDirectory()
{
    const std::string fromEnvironment = EnvironmentValue("VEXEL_PROFILE_DIR");
    if (!fromEnvironment.empty())
        return WithoutTrailingSeparators(fromEnvironment);
    const std::string exeDirectory = ExecutableDirectory();
    std::error_code ec;
    if (!exeDirectory.empty() && fs::is_regular_file(Join(exeDirectory, "vexel.ini"), ec))
        return exeDirectory;
    const std::string user = UserConfigDirectory();
    return user.empty() ? exeDirectory : user;
}

bool EnsureProfileDirectory()
{
    const std::string directory = ProfileDirectory();
    std::error_code ec;
    fs::create_directories(directory, ec);
    return fs::is_directory(directory, ec);
}

std::string ProgramFilePath()
{
    return Join(ProfileDirectory(), "vexel.exe");
}

std::string ProfileFilePath()
{
    const fs::path program = ProgramFilePath();
    std::string name = LowerAscii(program.filename().string());
    const size_t dot = name.rfind('.');
    name = (dot == std::string::npos ? name : name.substr(0, dot)) + ".ini";
    const std::string iniPath = Join(program.parent_path().string(), name);
    CopySystemProfileIfMissing(iniPath, name);
    return iniPath;
}

std::string ProgramDataFilePath()
{
    if (ProfileDirectory().empty())
        return {};
    std::string path = ProgramFilePath();
    return path.replace(path.size() - 3, 3, "DAT");
}

std::string KeyFilePath()
{
    if (ProfileDirectory().empty())
        return {};
    std::string path = ProgramFilePath();
    return path.replace(path.size() - 3, 3, "key");
}

void SetExecutablePath(const std::string& argv0OrAbsolute)
{
    g_strExecutablePath = argv0OrAbsolute;
}

void SetSystemProfileDirectory(std::string directory)
{
    g_strSystemProfileDirectory = std::move(directory);
}

} // namespace paths
