// Replace all against the plain loop it stands for: find from the caret,
// show, replace with two undo records, repeat. Both run on a vector with a
// journal kept by the eviction rules of the real one, so the records that
// survive are compared too.
#include "binpane/ReplaceAll.h"
#include "NaiveFind.h"
#include "platform/Messages.h"
#include "support/CRecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <tuple>

namespace {

using naive::Bytes;

struct Record
{
    int type;
    uint32_t position, length;
    Bytes saved;
    bool operator==(const Record&) const = default;
};

// 512 records and 32,768 bytes of saved data; the oldest records go first.
struct ModelJournal
{
    std::deque<Record> records;
    size_t used = 0;

    void record(int type, uint32_t position, uint32_t length, const Bytes& doc)
    {
        Record r{type, position, length, {}};
        if (type == 2)
            r.saved.assign(doc.begin() + position, doc.begin() + position + length);
        while (records.size() == 512 || 32'768 - used < r.saved.size()) {
            used -= records.front().saved.size();
            records.pop_front();
        }
        used += r.saved.size();
        records.push_back(std::move(r));
    }
    bool operator==(const ModelJournal&) const = default;
};

class CVectorTarget : public CReplaceTarget
{
public:
    Bytes bytes;
    uint32_t caret = 0;
    bool selection = false, readOnly = false;
    uint32_t selStart = 0, selEnd = 0;
    size_t maxSize = SIZE_MAX;
    ModelJournal undo, redo;
    std::vector<uint32_t> shown;

    uint32_t dataSize() const override { return uint32_t(bytes.size()); }
    const uint8_t* dataBytes() override { return bytes.data(); }
    bool isReadOnly() const override { return readOnly; }
    void removeSelection() override { selection = false; }
    void showHit(uint32_t position, uint32_t length) override
    {
        selection = true;
        selStart = caret = position;
        selEnd = position + length - 1;
        shown.push_back(position);
    }
    bool replaceSelection(uint32_t p, uint32_t m, const uint8_t* with, uint32_t n) override
    {
        if (readOnly) {
            MessageBeep(48);
            return false;
        }
        if (bytes.size() - m + n > maxSize) {
            ShowMessage(StringId::IdsTooLarge);
            return false;
        }
        selection = false;
        redo = {};
        undo.record(2, p, m, bytes);
        bytes.erase(bytes.begin() + p, bytes.begin() + p + m);
        bytes.insert(bytes.begin() + p, with, with + n);
        if (n > 0)
            undo.record(1, p, n, bytes);
        caret = p + n;
        return true;
    }
    bool replaceUnjournaled(std::span<const uint32_t> positions, uint32_t m, const uint8_t* with,
                            uint32_t n, uint32_t sizeToHold) override
    {
        const size_t newSize = bytes.size() + positions.size() * (int64_t(n) - m);
        EXPECT_GE(sizeToHold, newSize);
        if (sizeToHold > maxSize)
            return false;
        const size_t oldSize = bytes.size();
        bytes.resize(std::max(oldSize, newSize));
        EXPECT_EQ(replaceRunsInPlace(bytes.data(), uint32_t(oldSize), positions, m, with, n), newSize);
        bytes.resize(newSize);
        return true;
    }

    // What replace all leaves behind; of the hits shown only the last counts
    // (the plain loop shows every one).
    auto outcome() const
    {
        return std::tuple(bytes, caret, selection, selection ? selStart : 0, selection ? selEnd : 0,
                          undo.records, redo.records, shown.empty() ? -1 : int64_t(shown.back()));
    }
};

// The loop written plainly: every hit found from the caret, shown, replaced.
uint32_t plainReplaceAll(CVectorTarget& t, const ReplaceAllRequest& q, const std::function<bool()>& abort)
{
    t.removeSelection();
    const BytePattern find = patternFromText(q.findText, q.source, q.enRexp);
    FindRequest r;
    r.matchCase = q.matchCase;
    r.start = FindStart::FromTop;
    auto hit = t.readOnly ? std::nullopt : naive::find(t.bytes, find, r, abort);
    if (!hit) {
        MessageBeep(48);
        return 0;
    }
    BytePattern with;
    if (!q.replaceText.empty() && (with = patternFromText(q.replaceText, q.source, q.enRexp)).empty()) {
        t.showHit(*hit, find.size());
        MessageBeep(48);
        return 0;
    }
    uint32_t count = 0;
    r.start = FindStart::FromCaret;
    for (; hit; ++count) {
        t.showHit(*hit, find.size());
        if (!t.replaceSelection(*hit, find.size(), with.bytes.data(), with.size()))
            break;
        r.caret = t.caret;
        hit = naive::find(t.bytes, find, r, abort);
    }
    ShowMessage(StringId::IdsReplacedCount, MsgButtons::Ok, MsgIcon::Information, {std::to_string(count)});
    return count;
}

struct Case
{
    Bytes data;
    std::string find, with;
    PatternSource source = PatternSource::CharPart;
    bool matchCase = true, enRexp = false, readOnly = false;
    int stopAt = 0; // abort at this call; 0: never
    size_t maxSize = SIZE_MAX;
};

// Answers the number replaced.
uint32_t expectLikePlainLoop(const Case& c, const std::string& what, const ModelJournal& before = {})
{
    CVectorTarget fast, plain;
    fast.bytes = plain.bytes = c.data;
    fast.readOnly = plain.readOnly = c.readOnly;
    fast.maxSize = plain.maxSize = c.maxSize;
    fast.undo = plain.undo = before;
    fast.redo.record(1, 0, 1, c.data); // any new action empties the redo journal
    plain.redo = fast.redo;
    const ReplaceAllRequest q{c.find, c.with, c.source, c.matchCase, c.enRexp};
    int fastCalls = 0, plainCalls = 0;
    CRecordingSink fastSink;
    const uint32_t got = replaceAll(fast, q, [&] { return ++fastCalls == c.stopAt; });
    CRecordingSink plainSink;
    const uint32_t want = plainReplaceAll(plain, q, [&] { return ++plainCalls == c.stopAt; });
    // Out of room, the fast one has also asked during the pass that did not fit.
    if (c.maxSize != SIZE_MAX)
        fastCalls = plainCalls;
    EXPECT_EQ(std::tuple(got, fastCalls, fastSink.texts, fastSink.beeps),
              std::tuple(want, plainCalls, plainSink.texts, plainSink.beeps))
        << what;
    EXPECT_TRUE(fast.outcome() == plain.outcome()) << what;
    return got;
}

std::string randomText(std::mt19937& rng, size_t length, std::string_view alphabet)
{
    std::string text(length, ' ');
    for (char& c : text)
        c = alphabet[rng() % alphabet.size()];
    return text;
}

Bytes randomData(std::mt19937& rng, size_t size, std::string_view alphabet)
{
    const std::string text = randomText(rng, size, alphabet);
    return Bytes(text.begin(), text.end());
}

} // namespace

TEST(ReplaceAll, AgreesWithThePlainLoopOnRandomData)
{
    std::mt19937 rng(4242);
    for (int round = 0; round < 1'500; ++round) {
        Case c;
        const bool many = round % 10 == 0; // enough hits to fill the journal
        c.data = randomData(rng, many ? 2'000 + rng() % 6'000 : rng() % 200, "abAB\\.x");
        c.find = randomText(rng, rng() % (many ? 3 : 5), "abAB.\\");
        c.with = randomText(rng, rng() % 6, "abAxy\\");
        c.matchCase = rng() % 2 == 0;
        c.enRexp = rng() % 2 == 0;
        if (rng() % 8 == 0) { // hex digits, odd counts of them refused; always with case
            c.source = PatternSource::HexPart;
            c.find = randomText(rng, rng() % 6, "6142");
            c.with = randomText(rng, rng() % 6, "0a7F");
        }
        c.readOnly = rng() % 50 == 0;
        c.stopAt = rng() % 4 == 0 ? int(1 + rng() % 300) : 0;
        ModelJournal before; // earlier edits, which the replacements may evict
        for (uint32_t i = 0, k = rng() % 40; i < k; ++i)
            before.record(2, 0, uint32_t(rng() % 3), {'e', 'd', 'i'});
        const std::string what = "round " + std::to_string(round) + " '" + c.find + "' -> '" + c.with + "'";
        expectLikePlainLoop(c, what, before);
    }
}

TEST(ReplaceAll, ManyHitsGoInBatchesAndStillLeaveTheLastRecords)
{
    // More hits than one batch holds (65,536 and the 256 kept for the
    // journal), growing, shrinking and keeping the length.
    std::mt19937 rng(9);
    const Bytes data = randomData(rng, 72'000, "aaaaaaaaaaaaaaaaaaab");
    ASSERT_GT(std::count(data.begin(), data.end(), 'a'), 65'536 + 256);
    for (const char* with : {"xyz", "", "q"})
        expectLikePlainLoop({data, "a", with}, std::string("a -> ") + with);
}

TEST(ReplaceAll, StopsAtTheHitThatNoLongerFits)
{
    std::mt19937 rng(5);
    // 2,000 bytes hold more hits than the journal's share: the earlier ones
    // are tried in one pass first, which cannot fit either.
    for (size_t size : {size_t(300), size_t(2'000)}) {
        const Bytes data = randomData(rng, size, "ab");
        // Room for none, for fewer hits than the pass without records would
        // take, and for all of those but not for the last ones.
        for (size_t room : {size_t(1), size / 4 + 3, size * 2 / 5}) {
            ASSERT_LT(room, size_t(std::count(data.begin(), data.end(), 'a')));
            Case c{data, "a", "aa"};
            c.maxSize = size + room;
            EXPECT_EQ(expectLikePlainLoop(c, "room " + std::to_string(room)), room);
        }
    }
}
