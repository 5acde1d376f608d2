// A history of find or replace texts: at most 20 entries of at most 80
// characters (code page 932 bytes, as the program data file holds them),
// newest first, each text at most once. The toolbar's find box and the
// dialogs' combo boxes list them; the program data file stores them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CFindHistory
{
public:
    static constexpr size_t kMaxEntries = 20;
    static constexpr size_t kMaxChars = 80;

    // Puts text in front, after removing an entry equal to it; the oldest
    // entry beyond 20 drops off. An empty text, or one the data file could not
    // hold (over 80 characters), is not kept: false.
    bool add(std::string_view text);

    // The entries as the data file gives them, newest first. False, changing
    // nothing, when there are more than 20 or one is longer than 80 characters.
    [[nodiscard]] bool assign(const std::vector<std::string>& entries);

    const std::vector<std::string>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // The newest entry: the text a dialog starts with; empty when there is none.
    std::string newest() const { return m_entries.empty() ? std::string() : m_entries.front(); }
    void clear() { m_entries.clear(); }

private:
    std::vector<std::string> m_entries;
};

// The program's two histories.
extern CFindHistory g_findHistory;
extern CFindHistory g_replaceHistory;
