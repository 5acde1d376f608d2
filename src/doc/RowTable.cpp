#include "doc/RowTable.h"

#include "doc/CFileImage.h"

#include <cstdlib>
#include <cstring>

CRowTable::~CRowTable()
{
    std::free(m_pStart);
    std::free(m_pBreak);
}

bool CRowTable::Allocate()
{
    m_pStart = static_cast<uint32_t*>(std::malloc(size_t{kGrowthUnit} * sizeof(uint32_t)));
    m_pBreak = static_cast<uint8_t*>(std::malloc(kGrowthUnit));
    if (!m_pStart || !m_pBreak) {
        std::free(m_pStart);
        std::free(m_pBreak);
        m_pStart = nullptr;
        m_pBreak = nullptr;
        return false;
    }
    m_nCapacity = kGrowthUnit;
    return true;
}

int CRowTable::Reserve(uint32_t n, uint32_t maxRows)
{
    if (uint64_t{n} + 2 < m_nCapacity && n < maxRows)
        return CFileImage::Fits;
    if (n > maxRows)
        return CFileImage::OverLimit;
    const uint64_t capacity = (uint64_t{n} + 2) / kGrowthUnit * kGrowthUnit + kGrowthUnit;
    void* starts = std::realloc(m_pStart, capacity * sizeof(uint32_t));
    if (!starts)
        return CFileImage::OutOfMemory;
    m_pStart = static_cast<uint32_t*>(starts);
    void* breaks = std::realloc(m_pBreak, capacity);
    if (!breaks)
        return CFileImage::OutOfMemory; // the start table keeps its larger block; both stay usable
    m_pBreak = static_cast<uint8_t*>(breaks);
    m_nCapacity = static_cast<uint32_t>(capacity);
    return CFileImage::Grown;
}

void CRowTable::Set(uint32_t row, uint32_t start, bool beginsLine)
{
    m_pStart[row] = start;
    m_pBreak[row] = beginsLine ? 1 : 0;
    if (row >= m_nCount)
        m_nCount = row + 1;
}

void CRowTable::Store(uint32_t first, uint32_t count, const uint32_t* starts, const uint8_t* breaks)
{
    if (first < count) {
        std::memcpy(m_pStart + first, starts + first, size_t{count - first} * sizeof(uint32_t));
        std::memcpy(m_pBreak + first, breaks + first, count - first);
    }
    m_nCount = count;
}

uint32_t CRowTable::RowOfLine(uint32_t line) const
{
    if (line == 0 || m_nCount == 0)
        return 0;
    uint32_t sum = 0;
    for (uint32_t row = 0; row < m_nCount; ++row) {
        sum += m_pBreak[row];
        if (sum == line)
            return row;
    }
    return m_nCount;
}

uint32_t CRowTable::LineOfRow(uint32_t row) const
{
    if (row == 0)
        return 0;
    // At (or, defensively, past) the row count the answer is the number of logical lines.
    const bool end = row >= m_nCount;
    const uint32_t last = end ? m_nCount : row + 1;
    uint32_t sum = 0;
    for (uint32_t r = 0; r < last; ++r)
        sum += m_pBreak[r];
    return end ? sum + 1 : sum;
}
