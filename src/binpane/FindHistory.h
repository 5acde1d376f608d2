// A history of texts typed into a dialog's combo box, newest first, each text
// at most once, with a limit on the entries and on their length (code page 932
// bytes, as the program data file holds them). The find and replace texts keep
// 20 of at most 80; the toolbar's find box and the dialogs list them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CFindHistory
{
public:
    explicit CFindHistory(size_t maxEntries = 20, size_t maxChars = 80)
        : m_nMaxEntries(maxEntries), m_nMaxChars(maxChars) {}

    // Puts text in front, after removing an entry equal to it; the oldest
    // entry beyond the limit drops off. An empty text, or one longer than the
    // limit, is not kept: false.
    bool add(std::string_view text);

    // The entries as the data file gives them, newest first. False, changing
    // nothing, when there are too many or one is too long.
    [[nodiscard]] bool assign(const std::vector<std::string>& entries);

    const std::vector<std::string>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // The newest entry: the text a dialog starts with; empty when there is none.
    std::string newest() const { return m_entries.empty() ? std::string() : m_entries.front(); }
    void clear() { m_entries.clear(); }

    size_t maxEntries() const { return m_nMaxEntries; }
    size_t maxChars() const { return m_nMaxChars; }

private:
    size_t m_nMaxEntries;
    size_t m_nMaxChars;
    std::vector<std::string> m_entries;
};

// The program's two histories.
extern CFindHistory g_findHistory;
extern CFindHistory g_replaceHistory;
