// Replaces a file only once its new content is safely on disk: the bytes go
// to a temporary file in the target's folder, which is flushed, synced, given
// the target's permission bits and renamed over the target. A failure at any
// point leaves the previous file as it was.
#pragma once

#include <cstdio>
#include <string>

class CAtomicFileWriter
{
public:
    explicit CAtomicFileWriter(std::string target);
    ~CAtomicFileWriter(); // an uncommitted temporary file is removed
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Checks that the target may be replaced (absent, or a regular file that
    // may be written; a link is followed) and creates the temporary file.
    [[nodiscard]] bool Open();
    // The unbuffered stream of the temporary file; valid between Open and Commit.
    std::FILE* file() const { return m_pFile; }
    [[nodiscard]] bool Commit();

    // Writes bytes as the whole new content of target.
    [[nodiscard]] static bool WriteWhole(const std::string& target, const void* bytes, size_t n);

private:
    void Discard();

    std::string m_strTarget;
    std::string m_strTemp;
    std::FILE* m_pFile = nullptr;
    bool m_bKeepPermissions = false;
    unsigned m_nPermissions = 0;
};
