// A fresh directory for one test, removed with everything in it afterwards.
// Made in memory where the system offers it: saves sync every file they
// write, which on a disk would make the tests wait for it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class CScopedTempDir
{
public:
    CScopedTempDir()
    {
        std::error_code ec;
        const std::filesystem::path base = ::access("/dev/shm", W_OK) == 0
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path(ec);
        std::string pattern = (base / "vexel-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~CScopedTempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    CScopedTempDir(const CScopedTempDir&) = delete;
    CScopedTempDir& operator=(const CScopedTempDir&) = delete;

    bool valid() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};
