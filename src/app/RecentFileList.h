// The four most recently used files, kept in section "Recent File List" of
// the INI file as File1 .. File4, newest first.
#pragma once

#include <string>
#include <vector>

class CProfileFile;

class CRecentFileList
{
public:
    static constexpr size_t kSize = 4;

    void load(const CProfileFile& profile);
    [[nodiscard]] bool save(CProfileFile& profile) const;

    // Moves path to the front (an entry already there is not repeated).
    void add(const std::string& path);
    void remove(size_t index);
    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};
