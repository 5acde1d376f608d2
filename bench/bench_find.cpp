// Find and replace all in a 50 MiB document.
//
// Find: an absent 8-byte pattern, so every position is scanned; with case,
// without case, and with one any-byte position, each beside glibc's memmem on
// the same block in the same run.
//
// Replace all: 10,000 hits spread evenly, replaced by bytes of the same
// length and of a different length, through a target on the document's own
// image that edits as the pane does (window moves, two undo records per hit);
// beside one plain pass that finds with memmem and writes the result into a
// second buffer. The limit is raised as MaxEditRange = 10 would raise it, so
// the growing replacement has room.
#include "app/Settings.h"
#include "binpane/ReplaceAll.h"
#include "doc/CLumoDoc.h"
#include "platform/Messages.h"

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kDataSize = 52'428'797; // the largest file the default limit loads whole
constexpr char kAbsent[] = "etaoinsh";     // common letters, in an order the data never has
constexpr uint32_t kHits = 10'000;

// Text lines of random lowercase words, Shift-JIS text, binary noise and
// runs of zeros, in blocks of 4 KiB; the same bytes on every run.
std::vector<uint8_t> MakeData()
{
    std::vector<uint8_t> data(kDataSize);
    uint32_t state = 12345;
    auto next = [&state] { return state = state * 1'103'515'245u + 12'345u, state >> 8; };
    for (uint32_t block = 0; block < kDataSize; block += 4096) {
        const uint32_t end = std::min(kDataSize, block + 4096);
        const uint32_t kind = next() % 8;
        for (uint32_t i = block; i < end; ++i) {
            const uint32_t r = next();
            if (kind < 4) // text
                data[i] = r % 7 == 0 ? ' ' : r % 61 == 0 ? '\n' : uint8_t('a' + r % 26);
            else if (kind < 6) // Shift-JIS pairs and ASCII
                data[i] = (i & 1) ? uint8_t(0x40 + r % 0x3F) : uint8_t(0x82 + r % 8);
            else if (kind == 6)
                data[i] = uint8_t(r);
            else
                data[i] = 0;
        }
    }
    return data;
}

const std::vector<uint8_t>& Data()
{
    static const std::vector<uint8_t> data = MakeData();
    return data;
}

// The document the searches run on: the data in its image, the limit raised.
CLumoDoc& Document(const std::vector<uint8_t>& bytes)
{
    g_nMaxImageSize = 10 * 10'485'760u;
    static CLumoDoc doc(CLumoDoc::kBinaryMode);
    (void)doc.DeleteBytes(0, doc.DataSize(), nullptr);
    if (!doc.InsertBytes(0, bytes.data(), uint32_t(bytes.size()), nullptr))
        std::abort();
    return doc;
}

void RunFind(benchmark::State& state, const char* text, bool matchCase)
{
    CLumoDoc& doc = Document(Data());
    const BytePattern pattern = patternFromText(text, PatternSource::CharPart, true);
    FindRequest request;
    request.matchCase = matchCase;
    for (auto _ : state) {
        const uint8_t* block = doc.GetBlockPointer();
        const auto hit = findBytes(block, doc.DataSize(), pattern, request);
        if (hit)
            state.SkipWithError("the pattern is not absent");
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * doc.DataSize());
}

void BM_FindAbsent_MatchCase(benchmark::State& state) { RunFind(state, kAbsent, true); }
void BM_FindAbsent_IgnoreCase(benchmark::State& state) { RunFind(state, "EtaoInsH", false); }
void BM_FindAbsent_AnyBytePosition(benchmark::State& state) { RunFind(state, "eta\\.insh", true); }

void BM_FindAbsent_MemmemBaseline(benchmark::State& state)
{
    CLumoDoc& doc = Document(Data());
    for (auto _ : state) {
        const uint8_t* block = doc.GetBlockPointer();
        const void* hit = memmem(block, doc.DataSize(), kAbsent, 8);
        if (hit)
            state.SkipWithError("the pattern is not absent");
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * doc.DataSize());
}

BENCHMARK(BM_FindAbsent_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAbsent_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAbsent_AnyBytePosition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAbsent_MemmemBaseline)->Unit(benchmark::kMillisecond);

// ---- Replace all ----

// The undo journal's rules, kept to what costs time: 512 records, 32 KiB of
// saved bytes, the oldest evicted first with their bytes moved down.
class CJournalStandIn
{
public:
    void record(int type, uint32_t position, const uint8_t* saved, uint32_t length)
    {
        if (m_records.size() == 512)
            dropOldest();
        while (saved && kCapacity - m_data.size() < length)
            dropOldest();
        m_records.push_back({type, position, saved ? length : 0});
        if (saved)
            m_data.insert(m_data.end(), saved, saved + length);
    }

private:
    static constexpr size_t kCapacity = 32'768;
    struct Record { int type; uint32_t position, saved; };
    void dropOldest()
    {
        m_data.erase(m_data.begin(), m_data.begin() + m_records.front().saved);
        m_records.pop_front();
    }
    std::deque<Record> m_records;
    std::vector<uint8_t> m_data;
};

// Edits the document's image the way the pane's deleteAt and insertAt do.
class CImageTarget : public CReplaceTarget
{
public:
    explicit CImageTarget(CLumoDoc& doc) : m_doc(doc) {}

    uint32_t dataSize() const override { return m_doc.DataSize(); }
    const uint8_t* dataBytes() override { return m_doc.GetBlockPointer(); }
    bool isReadOnly() const override { return false; }
    void removeSelection() override {}
    void showHit(uint32_t, uint32_t) override {}

    bool replaceSelection(uint32_t p, uint32_t m, const uint8_t* bytes, uint32_t n) override
    {
        if (n > m && !m_doc.CheckGrowth(n - m))
            return false;
        std::memcpy(m_saved, m_doc.GetSpanPointer(p, m), m);
        m_journal.record(2, p, m_saved, m);
        (void)m_doc.DeleteBytes(p, m, nullptr);
        if (n > 0) {
            (void)m_doc.InsertBytes(p, bytes, n, nullptr);
            m_journal.record(1, p, nullptr, n);
        }
        return true;
    }

    bool replaceUnjournaled(std::span<const uint32_t> positions, uint32_t m, const uint8_t* bytes,
                            uint32_t n, uint32_t sizeToHold) override
    {
        if (positions.empty())
            return true;
        const auto rewrite = [&](uint8_t* block, uint32_t size) {
            return replaceRunsInPlace(block, size, positions, m, bytes, n);
        };
        return m_doc.RewriteBytes(sizeToHold, positions.front(), rewrite, nullptr);
    }

private:
    CLumoDoc& m_doc;
    CJournalStandIn m_journal;
    uint8_t m_saved[256];
};

// The data with kAbsent planted kHits times, evenly.
const std::vector<uint8_t>& DataWithHits()
{
    static const std::vector<uint8_t> data = [] {
        std::vector<uint8_t> d = Data();
        const uint32_t step = kDataSize / kHits;
        for (uint32_t i = 0; i < kHits; ++i)
            std::memcpy(d.data() + i * step + step / 2, kAbsent, 8);
        return d;
    }();
    return data;
}

class CQuietSink : public CMessageSink
{
public:
    MsgAnswer showMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgAnswer::Ok;
    }
    void beep(int) override {}
};

void RunReplaceAll(benchmark::State& state, const char* replacement)
{
    CQuietSink sink;
    CMessageSink* previous = SetMessageSink(&sink);
    for (auto _ : state) {
        state.PauseTiming();
        CLumoDoc& doc = Document(DataWithHits());
        CImageTarget target(doc);
        state.ResumeTiming();
        const uint32_t count = replaceAll(target, {kAbsent, replacement}, [] { return false; });
        if (count != kHits)
            state.SkipWithError("not every hit was replaced");
    }
    SetMessageSink(previous);
}

void BM_ReplaceAll10000_SameLength(benchmark::State& state) { RunReplaceAll(state, "ETAOINSH"); }
void BM_ReplaceAll10000_Longer(benchmark::State& state) { RunReplaceAll(state, "etaoinsh-x"); }

// One pass: memmem finds each hit, the bytes between and the replacement are
// appended to a second buffer.
void BM_ReplaceAll10000_PlainPassBaseline(benchmark::State& state)
{
    const std::vector<uint8_t>& data = DataWithHits();
    std::vector<uint8_t> out(data.size() + 2 * kHits);
    for (auto _ : state) {
        const uint8_t* from = data.data();
        const uint8_t* end = data.data() + data.size();
        uint8_t* to = out.data();
        uint32_t count = 0;
        while (const void* hit = memmem(from, size_t(end - from), kAbsent, 8)) {
            const auto* h = static_cast<const uint8_t*>(hit);
            to = std::copy(from, h, to);
            to = std::copy_n("etaoinsh-x", 10, to);
            from = h + 8;
            ++count;
        }
        to = std::copy(from, end, to);
        if (count != kHits)
            state.SkipWithError("not every hit was found");
        benchmark::DoNotOptimize(to);
    }
}

BENCHMARK(BM_ReplaceAll10000_SameLength)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll10000_Longer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll10000_PlainPassBaseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOrWriteData(argc, argv, Data);
}
