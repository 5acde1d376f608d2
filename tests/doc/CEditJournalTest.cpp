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
    bool operator==(const ModelRecord&) const = default;
};

uint32_t Used(const std::deque<ModelRecord>& records)
{
    uint32_t used = 0;
    for (const ModelRecord& r : records)
        used += r.withData ? r.length : 0;
    return used;
}

std::deque<ModelRecord> RecordsOf(const CEditJournal& journal)
{
    std::deque<ModelRecord> records;
    for (int i = 0; i < journal.count(); ++i) {
        const JournalRecord& r = journal.record(i);
        const bool withData = r.dataOffset != CEditJournal::kNoData;
        records.push_back({r.type, r.position, r.length, withData,
                           withData ? std::vector<uint8_t>(journal.dataOf(r), journal.dataOf(r) + r.length)
                                    : std::vector<uint8_t>()});
    }
    return records;
}

TEST(EditJournal, EvictionKeepsEveryRecordWithItsOwnBytes)
{
    constexpr uint32_t kCapacity = 4'000;
    std::mt19937 random(7);
    CEditJournal journal(kCapacity);
    ASSERT_TRUE(journal.IsAllocated());
    std::deque<ModelRecord> model;
    for (int step = 0; step < 20'000 && !testing::Test::HasFatalFailure(); ++step) {
        const uint32_t pick = random() % 20;
        if (pick < 12) {
            // Mostly small records, some without data, now and then one larger than the block.
            const bool withData = pick < 8;
            const uint32_t length = random() % (pick == 0 ? 5'000 : 60), need = withData ? length : 0;
            const bool room = journal.MakeRoom(need);
            ASSERT_EQ(need <= kCapacity, room);
            if (room && model.size() == CEditJournal::kMaxRecords)
                model.pop_front();
            while (room && kCapacity - Used(model) < need)
                model.pop_front();
            if (!room)
                continue;
            ModelRecord m{withData ? CEditJournal::Deleted : CEditJournal::Inserted, uint32_t(random()),
                          length, withData, {}};
            uint8_t* dst = journal.Append(m.type, m.position, length, withData);
            ASSERT_EQ(withData, dst != nullptr);
            for (uint32_t i = 0; i < need; ++i)
                m.bytes.push_back(dst[i] = uint8_t(random()));
            model.push_back(m);
        } else if (pick < 19 && !model.empty()) {
            journal.DropTop();
            model.pop_back();
        } else if (pick == 19 && random() % 50 == 0) {
            journal.Clear();
            model.clear();
        }
        ASSERT_EQ(Used(model), journal.used());
        ASSERT_TRUE(model == RecordsOf(journal)) << "step " << step;
    }
}

} // namespace
