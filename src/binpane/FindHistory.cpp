#include "binpane/FindHistory.h"

#include <algorithm>

CFindHistory g_findHistory;
CFindHistory g_replaceHistory;

bool CFindHistory::add(std::string_view text)
{
    if (text.empty() || text.size() > m_nMaxChars)
        return false;
    const auto same = std::find(m_entries.begin(), m_entries.end(), text);
    if (same != m_entries.end())
        m_entries.erase(same);
    m_entries.insert(m_entries.begin(), std::string(text));
    if (m_entries.size() > m_nMaxEntries)
        m_entries.resize(m_nMaxEntries);
    return true;
}

bool CFindHistory::assign(const std::vector<std::string>& entries)
{
    const bool fits = entries.size() <= m_nMaxEntries &&
                      std::all_of(entries.begin(), entries.end(),
                                  [this](const std::string& e) { return e.size() <= m_nMaxChars; });
    if (fits)
        m_entries = entries;
    return fits;
}
