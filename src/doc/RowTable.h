// The display rows of a text document: where each row starts in the data and
// whether it begins a logical line. The text pane's line model fills it; the
// document owns it so that every text view of the document shares one.
#pragma once

#include <cstdint>

class CRowTable
{
public:
    static constexpr uint32_t kGrowthUnit = 2'000;

    CRowTable() = default;
    ~CRowTable();
    CRowTable(const CRowTable&) = delete;
    CRowTable& operator=(const CRowTable&) = delete;

    // False when memory ran out for the first block.
    [[nodiscard]] bool Allocate();
    bool IsAllocated() const { return m_pStart != nullptr; }

    // Room for n rows: 0 fits, 1 grown, 2 out of memory (both tables stay
    // usable), 3 over maxRows.
    [[nodiscard]] int Reserve(uint32_t n, uint32_t maxRows);

    uint32_t Count() const { return m_nCount; }
    uint32_t Capacity() const { return m_nCapacity; }
    uint32_t Start(uint32_t row) const { return m_pStart[row]; }
    bool BeginsLine(uint32_t row) const { return m_pBreak[row] != 0; }
    // row < Capacity(); the count grows to cover it.
    void Set(uint32_t row, uint32_t start, bool beginsLine);
    void Clear() { m_nCount = 0; }
    // Rows first..count-1 from arrays indexed by row; count becomes the row
    // count (first <= count <= Capacity()).
    void Store(uint32_t first, uint32_t count, const uint32_t* starts, const uint8_t* breaks);

    // The first row of logical line `line` (the row count past the last);
    // the logical line a row belongs to (the line count at the end).
    uint32_t RowOfLine(uint32_t line) const;
    uint32_t LineOfRow(uint32_t row) const;

private:
    // malloc'd, so that growing is a realloc that keeps the rows
    uint32_t* m_pStart = nullptr;
    uint8_t* m_pBreak = nullptr;
    uint32_t m_nCapacity = 0;
    uint32_t m_nCount = 0;
};
