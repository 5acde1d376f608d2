// The compare report over two 50 MiB buffers in memory, as the hex pane's
// compare command makes it before appending it to its result document,
// against a plain loop that compares every line with memcmp and counts the
// differing ones (no text at all).
#include "app/Settings.h"
#include "binpane/CompareReport.h"
#include "binpane/MemoryDumpSource.h"

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kFileSize = 50 << 20;
constexpr size_t kEvery = 4096;  // one differing byte in each such stretch
constexpr size_t kBytesPerLine = 16;

struct Pair
{
    std::vector<uint8_t> a, b;
};

// Text-like bytes with some binary, and the same with one byte changed in
// every 4 KiB: 12,800 differing lines.
const Pair& Data()
{
    static const Pair pair = [] {
        Pair p;
        std::mt19937 rng(2026);
        p.a.resize(kFileSize);
        for (size_t i = 0; i < kFileSize; ++i)
            p.a[i] = static_cast<uint8_t>(i % 64 < 48 ? 0x20 + rng() % 0x5F : rng());
        p.b = p.a;
        for (size_t i = 1000; i < kFileSize; i += kEvery)
            p.b[i] ^= 0x5A;
        return p;
    }();
    return pair;
}

size_t PlainDifferingLines(const uint8_t* a, const uint8_t* b, size_t size)
{
    size_t lines = 0;
    for (size_t pos = 0; pos < size; pos += kBytesPerLine)
        lines += std::memcmp(a + pos, b + pos, std::min(kBytesPerLine, size - pos)) != 0;
    return lines;
}

void BM_PlainLineLoop(benchmark::State& state)
{
    size_t lines = 0;
    for (auto _ : state)
        lines = PlainDifferingLines(Data().a.data(), Data().b.data(), kFileSize);
    state.counters["lines"] = static_cast<double>(lines);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}

void BM_CompareReport(benchmark::State& state)
{
    CSettings s;
    s.BytesPerLine = static_cast<int>(kBytesPerLine);
    s.StrCodeType = static_cast<int>(state.range(0));
    uint64_t lines = 0;
    size_t text = 0;
    for (auto _ : state) {
        CMemoryDumpSource a(Data().a.data(), kFileSize), b(Data().b.data(), kFileSize);
        CCompareText sink;
        lines = WriteCompareReport(a, b, s, sink).differingLines;
        text = sink.text.size();
        benchmark::DoNotOptimize(sink.text.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["text"] = static_cast<double>(text);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}

BENCHMARK(BM_PlainLineLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareReport)->ArgName("code")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--make-data") == 0)
        return WriteBytesFile(argv[2], Data().a) | WriteBytesFile(argv[3], Data().b);
    Data();  // made once, before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
