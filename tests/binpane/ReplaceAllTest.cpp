// Replace all against the plain loop it stands for: find from the caret,
// show, replace with two undo records, repeat. Both run on a vector with a
// journal kept by the eviction rules of the real one, so the records that
// survive are compared too.
#include "binpane/ReplaceAll.h"
#include "NaiveFind.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>

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
        if (records.size() == 512)
            dropOldest();
        while (32'768 - used < r.saved.size())
            dropOldest();
        used += r.saved.size();
        records.push_back(std::move(r));
    }
    void dropOldest()
    {
        used -= records.front().saved.size();
        records.pop_front();
    }
    bool operator==(const ModelJournal&) const = default;
};

class CVectorTarget : public CReplaceTarget
{
public:
    Bytes bytes;
    uint32_t caret = 0;
    bool selection = false;
    uint32_t selStart = 0, selEnd = 0;
    bool readOnly = false;
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
        selStart = position;
        selEnd = position + length - 1;
        caret = position;
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
        const auto at = bytes.begin() + p;
        std::copy(with, with + std::min(m, n), at);
        if (n > m)
            bytes.insert(at + m, with + m, with + n);
        else
            bytes.erase(at + n, at + m);
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
        const uint32_t size = replaceRunsInPlace(bytes.data(), uint32_t(oldSize), positions, m, with, n);
        EXPECT_EQ(size, newSize);
        bytes.resize(newSize);
        return true;
    }
};

class CSink : public CMessageSink
{
public:
    CSink() { m_pPrevious = SetMessageSink(this); }
    ~CSink() override { SetMessageSink(m_pPrevious); }
    MsgAnswer showMessage(const std::string& text, const std::string&, MsgButtons, MsgIcon) override
    {
        texts.push_back(text);
        return MsgAnswer::Ok;
    }
    void beep(int) override { ++beeps; }
    std::vector<std::string> texts;
    int beeps = 0;

private:
    CMessageSink* m_pPrevious = nullptr;
};

// The loop written plainly: every hit found from the caret, shown, replaced.
uint32_t plainReplaceAll(CVectorTarget& t, const ReplaceAllRequest& q, const std::function<bool()>& abort)
{
    if (t.readOnly) {
        MessageBeep(48);
        return 0;
    }
    t.removeSelection();
    const BytePattern find = patternFromText(q.findText, q.source, q.enRexp);
    FindRequest r;
    r.matchCase = q.matchCase;
    r.start = FindStart::FromTop;
    auto hit = naive::find(t.bytes, find, r, abort);
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

// The state replace all leaves behind, shown hits apart (the plain loop shows every one).
void expectSameOutcome(const CVectorTarget& got, const CVectorTarget& want, const std::string& what)
{
    EXPECT_EQ(got.bytes, want.bytes) << what;
    EXPECT_EQ(got.caret, want.caret) << what;
    EXPECT_EQ(got.selection, want.selection) << what;
    if (got.selection && want.selection) {
        EXPECT_EQ(std::pair(got.selStart, got.selEnd), std::pair(want.selStart, want.selEnd)) << what;
    }
    EXPECT_TRUE(got.undo == want.undo) << what << ": undo records differ";
    EXPECT_TRUE(got.redo == want.redo) << what;
    ASSERT_EQ(got.shown.empty(), want.shown.empty()) << what;
    if (!want.shown.empty()) {
        EXPECT_EQ(got.shown.back(), want.shown.back()) << what;
    }
}

struct Case
{
    Bytes data;
    std::string find, with;
    PatternSource source = PatternSource::CharPart;
    bool matchCase = true, enRexp = false;
    int stopAt = 0; // abort at this call; 0: never
};

void expectLikePlainLoop(const Case& c, const std::string& what, const ModelJournal& before = {})
{
    CVectorTarget fast, plain;
    fast.bytes = plain.bytes = c.data;
    fast.undo = plain.undo = before;
    fast.redo.record(1, 0, 1, c.data); // any new action empties the redo journal
    plain.redo = fast.redo;
    const ReplaceAllRequest q{c.find, c.with, c.source, c.matchCase, c.enRexp};
    int fastCalls = 0, plainCalls = 0;
    CSink fastSink;
    const uint32_t got = replaceAll(fast, q, [&] { return ++fastCalls == c.stopAt; });
    CSink plainSink;
    const uint32_t want = plainReplaceAll(plain, q, [&] { return ++plainCalls == c.stopAt; });
    EXPECT_EQ(got, want) << what;
    EXPECT_EQ(fastCalls, plainCalls) << what;
    EXPECT_EQ(fastSink.texts, plainSink.texts) << what;
    EXPECT_EQ(fastSink.beeps, plainSink.beeps) << what;
    expectSameOutcome(fast, plain, what);
}

Bytes randomData(std::mt19937& rng, size_t size, const char* alphabet)
{
    const size_t k = std::char_traits<char>::length(alphabet);
    Bytes data(size);
    for (uint8_t& b : data)
        b = uint8_t(alphabet[rng() % k]);
    return data;
}

std::string randomText(std::mt19937& rng, size_t maxLength, const char* alphabet)
{
    const Bytes b = randomData(rng, rng() % (maxLength + 1), alphabet);
    return std::string(b.begin(), b.end());
}

} // namespace

TEST(ReplaceAll, RefusesWithOneBeepWhenNothingCanBeReplaced)
{
    const std::string text = "abcabc";
    struct Refusal { const char* find; const char* with; PatternSource source; bool readOnly; };
    const Refusal refusals[] = {
        {"zz", "y", PatternSource::CharPart, false}, // no match
        {"", "y", PatternSource::CharPart, false},   // no pattern
        {"616", "62", PatternSource::HexPart, false}, // bad hex find text
        {"61", "6", PatternSource::HexPart, false},  // bad hex replace text
        {"ab", "y", PatternSource::CharPart, true},  // read-only
    };
    for (const Refusal& r : refusals) {
        CVectorTarget t;
        t.bytes.assign(text.begin(), text.end());
        t.readOnly = r.readOnly;
        CSink sink;
        EXPECT_EQ(replaceAll(t, {r.find, r.with, r.source}, {}), 0u) << r.find;
        EXPECT_EQ(std::string(t.bytes.begin(), t.bytes.end()), text) << r.find;
        EXPECT_EQ(sink.beeps, 1) << r.find;
        EXPECT_TRUE(sink.texts.empty()) << r.find;
        EXPECT_TRUE(t.undo.records.empty()) << r.find;
    }
}

TEST(ReplaceAll, AgreesWithThePlainLoopOnRandomData)
{
    std::mt19937 rng(4242);
    for (int round = 0; round < 1'500; ++round) {
        Case c;
        const bool many = round % 10 == 0; // enough hits to fill the journal
        c.data = randomData(rng, many ? 2'000 + rng() % 6'000 : rng() % 200, "abAB\\.x");
        c.find = randomText(rng, many ? 2 : 4, "abAB.\\");
        c.with = randomText(rng, 5, "abAxy\\");
        c.matchCase = rng() % 2 == 0;
        c.enRexp = rng() % 2 == 0;
        c.stopAt = rng() % 4 == 0 ? int(1 + rng() % 300) : 0;
        ModelJournal before; // earlier edits, which the replacements may evict
        const Bytes earlier = {'e', 'd', 'i'};
        for (uint32_t i = 0, k = rng() % 40; i < k; ++i)
            before.record(2, 0, uint32_t(rng() % 3), earlier);
        expectLikePlainLoop(c, "round " + std::to_string(round) + " find '" + c.find + "' with '" +
                                   c.with + "'", before);
    }
}

TEST(ReplaceAll, HexPatternsReplaceBytesOfAnyValue)
{
    Case c;
    c.data = {0x00, 0xFF, 0x41, 0x00, 0xFF, 0x61, 0x00, 0xFF};
    c.find = "ff41";
    c.with = "0D0A0d";
    c.source = PatternSource::HexPart;
    c.matchCase = false; // forced on: 0x41 and 0x61 stay apart
    expectLikePlainLoop(c, "hex");
}

TEST(ReplaceAll, ManyHitsGoInBatchesAndStillLeaveTheLastRecords)
{
    // More hits than one batch holds (65,536 and the 256 kept for the
    // journal), growing, shrinking and keeping the length.
    std::mt19937 rng(9);
    const Bytes data = randomData(rng, 72'000, "aaaaaaaaaaaaaaaaaaab");
    ASSERT_GT(std::count(data.begin(), data.end(), 'a'), 65'536 + 256);
    for (const char* with : {"xyz", "", "q"}) {
        Case c{data, "a", with};
        expectLikePlainLoop(c, std::string("a -> ") + with);
    }
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
            CVectorTarget fast, plain;
            fast.bytes = plain.bytes = data;
            fast.maxSize = plain.maxSize = size + room;
            CSink sink;
            const ReplaceAllRequest q{"a", "aa"};
            const uint32_t got = replaceAll(fast, q, {});
            const uint32_t want = plainReplaceAll(plain, q, {});
            EXPECT_EQ(got, room);
            EXPECT_EQ(got, want);
            expectSameOutcome(fast, plain, "room " + std::to_string(room));
        }
    }
}
