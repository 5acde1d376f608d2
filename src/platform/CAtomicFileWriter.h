// Replaces a file only once its new content is safely on disk, keeping the
// file what it was: the bytes go to a private (0600) temporary file in the
// target's folder, unnamed where the system allows, which takes the target's
// owner and group before anything is written, is synced, given the target's
// mode and renamed over it. A failure or a kill at any point leaves the
// previous file as it was and no temporary file behind.
//
// Where a new file could not be the same file to its users, the old one is
// overwritten in place instead (not atomic, the accepted price): when it has
// several links, when its owner or group cannot be given to a new file (the
// saver is not its owner), or when its folder takes no new file.
#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>

class CAtomicFileWriter
{
public:
    explicit CAtomicFileWriter(std::string target);
    ~CAtomicFileWriter(); // an uncommitted temporary file is removed
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Checks that the target may be replaced (absent, or a regular file that
    // may be written; links are followed, a dangling one to the file it names)
    // and opens what the bytes go to.
    [[nodiscard]] bool Open();
    // The unbuffered stream the new content goes to; valid between Open and Commit.
    std::FILE* file() const { return m_pFile; }
    [[nodiscard]] bool Commit();

    // Writes bytes as the whole new content of target.
    [[nodiscard]] static bool WriteWhole(const std::string& target, const void* bytes, size_t n);

private:
    [[nodiscard]] bool OpenExisting(const std::string& folder);
    [[nodiscard]] bool CreateTemp(const std::string& folder);
    [[nodiscard]] bool TakeOwner(uid_t uid, gid_t gid);
    [[nodiscard]] bool CommitInPlace(int fd);
    [[nodiscard]] bool CommitReplace(int fd);
    [[nodiscard]] bool LinkUnnamed(int fd);
    void Discard();

    std::string m_strTarget; // the file itself, links resolved
    std::string m_strTemp;   // a named temporary file, removed unless committed
    std::FILE* m_pFile = nullptr;
    bool m_bInPlace = false;
    bool m_bUnnamed = false;
    mode_t m_nMode = 0; // the old file's mode, or a new file's, given on commit
};
