#include "doc/CEditJournal.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

CEditJournal::CEditJournal(uint32_t capacity)
    : m_pData(static_cast<uint8_t*>(std::malloc(capacity)))
    , m_nCapacity(m_pData ? capacity : 0)
{
}

CEditJournal::~CEditJournal()
{
    std::free(m_pData);
}

bool CEditJournal::MakeRoom(uint32_t need)
{
    if (need > m_nCapacity)
        return false;
    if (m_nCount == kMaxRecords)
        DropOldest(0);
    uint32_t free = m_nCapacity - m_nUsed;
    if (free >= need)
        return true;
    int last = 0;
    for (; last < m_nCount - 1; ++last) {
        if (m_records[static_cast<size_t>(last)].dataOffset != kNoData)
            free += m_records[static_cast<size_t>(last)].length;
        if (free >= need)
            break;
    }
    DropOldest(last);
    return true;
}

void CEditJournal::DropOldest(int last)
{
    assert(last < m_nCount);
    // Saved bytes lie in record order without gaps: everything the remaining
    // records saved starts at the first remaining offset that has data.
    uint32_t keptFrom = m_nUsed;
    for (int i = last + 1; i < m_nCount; ++i) {
        if (m_records[static_cast<size_t>(i)].dataOffset != kNoData) {
            keptFrom = m_records[static_cast<size_t>(i)].dataOffset;
            break;
        }
    }
    std::memmove(m_pData, m_pData + keptFrom, m_nUsed - keptFrom);
    m_nUsed -= keptFrom;
    const int kept = m_nCount - last - 1;
    std::memmove(m_records.data(), m_records.data() + last + 1, sizeof(JournalRecord) * static_cast<size_t>(kept));
    m_nCount = kept;
    for (int i = 0; i < m_nCount; ++i) {
        JournalRecord& r = m_records[static_cast<size_t>(i)];
        if (r.dataOffset != kNoData)
            r.dataOffset -= keptFrom;
    }
}

uint8_t* CEditJournal::Append(int32_t type, uint32_t position, uint32_t length, bool withData)
{
    assert(m_nCount < kMaxRecords);
    assert(!withData || length <= m_nCapacity - m_nUsed);
    JournalRecord& r = m_records[static_cast<size_t>(m_nCount++)];
    r = {type, position, length, withData ? m_nUsed : kNoData};
    if (!withData)
        return nullptr;
    m_nUsed += length;
    return m_pData + r.dataOffset;
}

void CEditJournal::DropTop()
{
    assert(m_nCount > 0);
    const JournalRecord& r = m_records[static_cast<size_t>(--m_nCount)];
    if (r.dataOffset != kNoData)
        m_nUsed = r.dataOffset;
}
