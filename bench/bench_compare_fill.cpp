// The compare command's fill of its result document, as the user waits for
// it: two 50 MiB binary documents differing in one byte every 4 KiB (12,800
// differing lines), the report made over the documents' bytes and appended
// to a new text document shown in a view, whose text pane wraps it. Beside it, in
// the same run, a plain loop that only compares every line with memcmp.
#include "app/Settings.h"
#include "binpane/CompareReport.h"
#include "binpane/DocDumpSource.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoView.h"
#include "QtBenchMain.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

// Under the default size limit of a document.
constexpr size_t kFileSize = (size_t { 50 } << 20) - 16;
constexpr size_t kEvery = 4096;
constexpr size_t kBytesPerLine = 16;

struct Documents
{
    std::unique_ptr<CLumoDoc> a, b;
};

std::unique_ptr<CLumoDoc> BinaryDocument(const std::vector<uint8_t>& bytes)
{
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
    if (!doc->InsertBytes(0, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr))
        return nullptr;
    return doc;
}

const Documents& Data()
{
    static const Documents documents = [] {
        std::mt19937 rng(2026);
        std::vector<uint8_t> a(kFileSize);
        for (size_t i = 0; i < kFileSize; ++i)
            a[i] = static_cast<uint8_t>(i % 64 < 48 ? 0x20 + rng() % 0x5F : rng());
        std::vector<uint8_t> b = a;
        for (size_t i = 1000; i < kFileSize; i += kEvery)
            b[i] ^= 0x5A;
        return Documents { BinaryDocument(a), BinaryDocument(b) };
    }();
    return documents;
}

void BM_PlainLineLoop(benchmark::State& state)
{
    const uint8_t* a = Data().a->GetBlockPointer();
    const uint8_t* b = Data().b->GetBlockPointer();
    size_t lines = 0;
    for (auto _ : state) {
        lines = 0;
        for (size_t pos = 0; pos < kFileSize; pos += kBytesPerLine)
            lines += std::memcmp(a + pos, b + pos, std::min(kBytesPerLine, kFileSize - pos)) != 0;
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_CompareFill(benchmark::State& state)
{
    g_settings = CSettings();
    uint64_t lines = 0;
    uint32_t size = 0;
    for (auto _ : state) {
        auto result = std::make_unique<CLumoDoc>(CLumoDoc::kTextMode);
        CLumoView view(result.get());
        view.resize(1280, 1024);
        CDocDumpSource mine(*Data().a), theirs(*Data().b);
        CCompareText report;
        lines = WriteCompareReport(mine, theirs, g_settings, report).differingLines;
        result->AppendOutput(reinterpret_cast<const uint8_t*>(report.text.data()),
                             static_cast<uint32_t>(report.text.size()), false);
        size = result->DataSize();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["text"] = static_cast<double>(size);
}

} // namespace

BENCHMARK(BM_PlainLineLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareFill)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
