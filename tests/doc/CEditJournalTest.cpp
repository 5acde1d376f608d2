// The journal beside a plain deque of records: whatever is appended, evicted
// or dropped, every kept record still finds exactly its own saved bytes.
#include "doc/CEditJournal.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

namespace {

struct ModelRecord
{
    int32_t type;
    uint32_t position;
    uint32_t length;
    bool withData;
    std::vector<uint8_t> bytes;
};

class CJournalModel
{
public:
    explicit CJournalModel(uint32_t capacity) : m_nCapacity(capacity) {}

    bool MakeRoom(uint32_t need)
    {
        if (need > m_nCapacity)
            return false;
        if (records.size() == CEditJournal::kMaxRecords)
            records.pop_front();
        while (m_nCapacity - Used() < need)
            records.pop_front();
        return true;
    }

    uint32_t Used() const
    {
        uint32_t used = 0;
        for (const ModelRecord& r : records)
            used += r.withData ? r.length : 0;
        return used;
    }

    std::deque<ModelRecord> records;

private:
    uint32_t m_nCapacity;
};

void ExpectSame(const CJournalModel& model, const CEditJournal& journal)
{
    ASSERT_EQ(model.records.size(), size_t(journal.count()));
    ASSERT_EQ(model.Used(), journal.used());
    for (int i = 0; i < journal.count(); ++i) {
        const ModelRecord& m = model.records[size_t(i)];
        const JournalRecord& r = journal.record(i);
        ASSERT_EQ(m.type, r.type);
        ASSERT_EQ(m.position, r.position);
        ASSERT_EQ(m.length, r.length);
        ASSERT_EQ(m.withData, r.dataOffset != CEditJournal::kNoData);
        if (m.withData) {
            ASSERT_EQ(m.bytes, std::vector<uint8_t>(journal.dataOf(r), journal.dataOf(r) + r.length));
        }
    }
}

TEST(EditJournal, EvictionKeepsEveryRecordWithItsOwnBytes)
{
    constexpr uint32_t kCapacity = 4'000;
    std::mt19937 random(7);
    CEditJournal journal(kCapacity);
    ASSERT_TRUE(journal.IsAllocated());
    CJournalModel model(kCapacity);
    for (int step = 0; step < 20'000; ++step) {
        const uint32_t pick = random() % 20;
        if (pick < 12) {
            // Mostly small records, some without data, now and then one larger than the block.
            const bool withData = pick < 8;
            uint32_t length = random() % (pick == 0 ? 5'000 : 60);
            const bool room = journal.MakeRoom(withData ? length : 0);
            ASSERT_EQ(model.MakeRoom(withData ? length : 0), room);
            if (room) {
                ModelRecord m{withData ? CEditJournal::Deleted : CEditJournal::Inserted,
                              uint32_t(random()), length, withData, {}};
                uint8_t* dst = journal.Append(m.type, m.position, length, withData);
                ASSERT_EQ(withData, dst != nullptr);
                for (uint32_t i = 0; withData && i < length; ++i)
                    m.bytes.push_back(dst[i] = uint8_t(random()));
                model.records.push_back(m);
            }
        } else if (pick < 19) {
            if (journal.count() > 0) {
                journal.DropTop();
                model.records.pop_back();
            }
        } else if (random() % 50 == 0) {
            journal.Clear();
            model.records.clear();
        }
        ExpectSame(model, journal);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
