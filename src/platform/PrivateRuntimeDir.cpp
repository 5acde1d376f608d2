#include "platform/PrivateRuntimeDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

#if defined(__unix__) || defined(__APPLE__)

namespace {

bool IsPrivateDir(const std::string& path)
{
    struct stat info {};
    // lstat: a link to a private directory may be swapped for another at any time.
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & 07777) == 0700;
}

} // namespace

std::optional<std::string> PrivateRuntimeDir()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && IsPrivateDir(runtime))
        return std::string(runtime);
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec)
        return std::nullopt;
    const std::string own = (temp / ("vexel-" + std::to_string(::geteuid()))).string();
    // Made here or found: either way it is checked, never repaired, since a
    // directory someone else made first is theirs to change back.
    static_cast<void>(::mkdir(own.c_str(), 0700));
    if (!IsPrivateDir(own))
        return std::nullopt;
    return own;
}

bool PeerIsSameUser(intptr_t socketDescriptor)
{
    const int fd = static_cast<int>(socketDescriptor);
#if defined(SO_PEERCRED)
    struct ucred peer {};
    socklen_t size = sizeof(peer);
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof(peer))
        return false;
    return peer.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(fd, &uid, &gid) == 0 && uid == ::geteuid();
#endif
}

#else

// Without a way to tell a private directory or the peer's user, there is no
// hand-off: every start runs on its own.
std::optional<std::string> PrivateRuntimeDir()
{
    return std::nullopt;
}

bool PeerIsSameUser(intptr_t)
{
    return false;
}

#endif

} // namespace platform
