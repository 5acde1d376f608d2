#include "platform/CAtomicFileWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr mode_t kPrivate = S_IRUSR | S_IWUSR;
constexpr int kMaxLinkHops = 40; // the system's own limit on a chain of links
constexpr unsigned kNameAttempts = 16;

// The file a write should reach: links are followed one by one, so that a
// link stays a link and the file it names, existing or not, gets the content.
std::optional<std::string> ResolveTarget(const std::string& target)
{
    fs::path path = target;
    std::error_code ec;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(path, ec))) {
            if (path.filename().empty())
                return std::nullopt;
            return path.string();
        }
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = path.parent_path() / next; // an absolute link replaces the whole path
    }
    return std::nullopt;
}

std::string TempNameBeside(const fs::path& target, unsigned attempt)
{
    static std::mt19937 s_random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x%u~", static_cast<unsigned>(s_random()), attempt);
    // Cut so that even a name at the system's length limit leaves room for the suffix.
    fs::path temp = target;
    temp.replace_filename("." + target.filename().string().substr(0, 200) + suffix);
    return temp.string();
}

// The mode a newly created file gets. Reading the mask means setting it for a
// moment, so only systems without unnamed files come here.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

CAtomicFileWriter::CAtomicFileWriter(std::string target)
    : m_strTarget(std::move(target))
{
}

CAtomicFileWriter::~CAtomicFileWriter()
{
    Discard();
}

bool CAtomicFileWriter::Open()
{
    std::optional<std::string> resolved = ResolveTarget(m_strTarget);
    if (!resolved)
        return false;
    m_strTarget = std::move(*resolved);
    std::string folder = fs::path(m_strTarget).parent_path().string();
    if (folder.empty())
        folder = ".";
    struct stat old {};
    if (::stat(m_strTarget.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode) || !OpenExisting(folder))
            return false;
    } else if (errno != ENOENT || !CreateTemp(folder)) {
        return false;
    } else if (!m_bUnnamed) {
        m_nMode = NewFileMode();
    }
    std::setvbuf(m_pFile, nullptr, _IONBF, 0); // callers write in large chunks of their own
    return true;
}

// Only a regular file that may be written as it stands: replacing a read-only
// one through its folder would bypass its protection. Opened without blocking,
// should it have become a FIFO since it was looked at.
bool CAtomicFileWriter::OpenExisting(const std::string& folder)
{
    const int fd = ::open(m_strTarget.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat old {};
    if (fd < 0 || ::fstat(fd, &old) != 0 || !S_ISREG(old.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_bInPlace = old.st_nlink > 1 || !CreateTemp(folder) || !TakeOwner(old.st_uid, old.st_gid);
    m_nMode = old.st_mode & 07777;
    if (!m_bInPlace) {
        ::close(fd);
        return true;
    }
    Discard();
    // No truncation yet: the old content stays until the new one is written.
    m_pFile = ::fdopen(fd, "wb");
    if (!m_pFile)
        ::close(fd);
    return m_pFile != nullptr;
}

bool CAtomicFileWriter::CreateTemp(const std::string& folder)
{
    int fd = -1;
#ifdef O_TMPFILE
    // Unnamed until it is complete: nobody can open it, and a killed save
    // leaves nothing behind. Created as any new file is, to learn the mode
    // such a file gets, and made private before it holds anything.
    fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && ::fchmod(fd, kPrivate) == 0) {
        m_bUnnamed = true;
        m_nMode = st.st_mode & 07777;
    } else if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
#endif
    for (unsigned attempt = 0; fd < 0 && attempt < kNameAttempts; ++attempt) {
        m_strTemp = TempNameBeside(m_strTarget, attempt);
        fd = ::open(m_strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivate);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        m_strTemp.clear();
        return false;
    }
    m_pFile = ::fdopen(fd, "wb");
    if (!m_pFile) {
        ::close(fd);
        Discard();
        return false;
    }
    return true;
}

// Only the super-user may give a file away, and only a member of a group may
// give a file that group: when the old file's cannot be given to the new one,
// it is written in place instead.
bool CAtomicFileWriter::TakeOwner(uid_t uid, gid_t gid)
{
    const int fd = fileno(m_pFile);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    return (st.st_uid == uid && st.st_gid == gid) || ::fchown(fd, uid, gid) == 0;
}

bool CAtomicFileWriter::Commit()
{
    if (!m_pFile)
        return false;
    const int fd = fileno(m_pFile);
    bool ok = std::fflush(m_pFile) == 0 && !std::ferror(m_pFile)
              && (m_bInPlace ? CommitInPlace(fd) : CommitReplace(fd));
    ok = std::fclose(m_pFile) == 0 && ok;
    m_pFile = nullptr;
    if (!ok || m_bInPlace)
        return ok;
    if (std::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
        return false;
    m_strTemp.clear();
    return true;
}

bool CAtomicFileWriter::CommitInPlace(int fd)
{
    const off_t length = ::lseek(fd, 0, SEEK_CUR);
    return length >= 0 && ::ftruncate(fd, length) == 0 && ::fsync(fd) == 0;
}

// The mode comes last: the owner was set while the file was private, and
// changing the owner would have cleared set-user-ID bits.
bool CAtomicFileWriter::CommitReplace(int fd)
{
    return ::fchmod(fd, m_nMode) == 0 && ::fsync(fd) == 0 && (!m_bUnnamed || LinkUnnamed(fd));
}

// Names the complete file beside the target so that it can be renamed over
// it: a link cannot replace an existing name.
bool CAtomicFileWriter::LinkUnnamed(int fd)
{
#ifdef O_TMPFILE
    // Linking a descriptor itself takes a privilege; its path under /proc does not.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = TempNameBeside(m_strTarget, attempt);
        if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0
            || (errno != EEXIST
                && ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)) {
            m_strTemp = std::move(name);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
#else
    (void)fd;
#endif
    return false;
}

bool CAtomicFileWriter::WriteWhole(const std::string& target, const void* bytes, size_t n)
{
    CAtomicFileWriter writer(target);
    if (!writer.Open())
        return false;
    if (n > 0 && std::fwrite(bytes, 1, n, writer.file()) != n)
        return false;
    return writer.Commit();
}

void CAtomicFileWriter::Discard()
{
    if (m_pFile) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
    if (!m_strTemp.empty()) {
        ::unlink(m_strTemp.c_str());
        m_strTemp.clear();
    }
    m_bUnnamed = false;
}
