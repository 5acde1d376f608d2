// The undo or the redo journal of one document: up to 512 records of edits
// and one data block holding the bytes some of them saved. When either fills,
// the oldest records go first, silently. The pane decides what to record and
// when; the journal only keeps records and their bytes consistent.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct JournalRecord
{
    int32_t type;
    uint32_t position;   // first offset concerned
    uint32_t length;     // bytes concerned
    uint32_t dataOffset; // where the saved bytes start in the data block, or kNoData
};
static_assert(sizeof(JournalRecord) == 16);

class CEditJournal
{
public:
    static constexpr int kMaxRecords = 512;
    static constexpr uint32_t kDefaultCapacity = 32'768;
    static constexpr uint32_t kNoData = 0xFFFFFFFF;

    // Record types. A second half counts only directly above its first half.
    enum Type : int32_t {
        Inserted = 1,       // bytes were inserted at position; nothing saved
        Deleted = 2,        // bytes were deleted at position; they are saved
        ReplacedOld = 3,    // first half of a replacement: the old bytes
        ReplacedNew = 4,    // second half: the new bytes inserted
        OverwrittenOld = 5, // first half of an overwrite: the old bytes
        OverwrittenNew = 6, // second half: the new bytes inserted
    };

    // Allocates the data block; IsAllocated() tells whether that worked.
    explicit CEditJournal(uint32_t capacity = kDefaultCapacity);
    ~CEditJournal();
    CEditJournal(const CEditJournal&) = delete;
    CEditJournal& operator=(const CEditJournal&) = delete;

    bool IsAllocated() const { return m_pData != nullptr; }
    static bool SavesData(int32_t type) { return type == Deleted || type == ReplacedOld || type == OverwrittenOld; }

    // Makes room for one more record with need saved bytes, evicting the
    // oldest records as needed. Fails only when need exceeds the capacity.
    [[nodiscard]] bool MakeRoom(uint32_t need);
    // Appends a record after MakeRoom(length, or 0 without data). With data,
    // answers where the caller writes the length saved bytes; else nullptr.
    uint8_t* Append(int32_t type, uint32_t position, uint32_t length, bool withData);
    // Drops the newest record and its bytes.
    void DropTop();
    void Clear()
    {
        m_nCount = 0;
        m_nUsed = 0;
    }

    int count() const { return m_nCount; }
    uint32_t used() const { return m_nUsed; }
    uint32_t capacity() const { return m_nCapacity; }
    const JournalRecord& record(int i) const { return m_records[static_cast<size_t>(i)]; }
    const JournalRecord& top() const { return m_records[static_cast<size_t>(m_nCount - 1)]; }
    const uint8_t* dataOf(const JournalRecord& r) const { return m_pData + r.dataOffset; }

private:
    // Drops records 0 .. last and the bytes they saved.
    void DropOldest(int last);

    std::array<JournalRecord, kMaxRecords> m_records{};
    int32_t m_nCount = 0;
    uint8_t* m_pData = nullptr;
    uint32_t m_nUsed = 0;
    uint32_t m_nCapacity = 0;
};
