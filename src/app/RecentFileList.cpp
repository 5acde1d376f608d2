#include "app/RecentFileList.h"

#include "platform/ProfileFile.h"

#include <algorithm>

namespace {
constexpr const char* kSection = "Recent File List";

std::string keyOf(size_t index)
{
    return "File" + std::to_string(index + 1);
}
} // namespace

void CRecentFileList::load(const CProfileFile& profile)
{
    m_entries.clear();
    for (size_t i = 0; i < kSize; ++i) {
        std::string path = profile.getString(kSection, keyOf(i), "");
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(std::move(path));
    }
}

bool CRecentFileList::save(CProfileFile& profile) const
{
    profile.beginBatch();
    for (size_t i = 0; i < kSize; ++i)
        (void)profile.writeString(kSection, keyOf(i), i < m_entries.size() ? m_entries[i] : "");
    return profile.commitBatch();
}

void CRecentFileList::add(const std::string& path)
{
    if (path.empty())
        return;
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize)
        m_entries.resize(kSize);
}

void CRecentFileList::remove(size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}
