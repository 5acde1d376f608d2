// Wrapping a 50 MiB Shift-JIS text at 80 columns with kinsoku, and a one-byte
// insertion in its first line, which must rewrap only that logical line.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "platform/Cp932.h"
#include "textpane/TextLineModel.h"

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// The largest file the default size limit loads whole.
constexpr size_t kFileSize = 52'428'797;
// The limits of the widest edit range: room for the rows of that text at 80
// columns, and for the insertion.
constexpr uint32_t kMaxRows = 1'000'000;
constexpr uint32_t kMaxImageSize = 104'857'600;

// Lines of 0 to 200 bytes: words, kanji, closing punctuation, spaces, tabs.
std::vector<uint8_t> MakeText(size_t size)
{
    std::mt19937 rng(2024);
    std::vector<uint8_t> d;
    d.reserve(size + 256);
    const char* const words[] = {"the ", "quick ", "brown ", "fox ", "0123 ", "\t", "(x), ", "\x81\x42", "\x81\x41"};
    while (d.size() < size) {
        const size_t end = d.size() + rng() % 200;
        while (d.size() < end) {
            if (rng() % 2) {
                const uint16_t s = cp932::JisToSjis(static_cast<uint16_t>((0x30 + rng() % 0x40) << 8 | (0x21 + rng() % 0x5E)));
                d.push_back(static_cast<uint8_t>(s >> 8));
                d.push_back(static_cast<uint8_t>(s));
            } else {
                const char* w = words[rng() % std::size(words)];
                d.insert(d.end(), w, w + std::strlen(w));
            }
        }
        d.push_back('\r');
        d.push_back('\n');
    }
    d.resize(size - 2);
    d.push_back('\r');
    d.push_back('\n');
    return d;
}

CTextLayout Layout()
{
    return {80, 4, false, true, g_settings.ColumnOutString};
}

std::unique_ptr<CLumoDoc> LoadText(std::FILE* file, uint64_t length)
{
    g_nMaxRows = kMaxRows;
    g_nMaxImageSize = kMaxImageSize;
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kTextMode);
    if (!doc->IsComplete() || !doc->LoadFrom(file, length))
        return nullptr;
    return doc;
}

CLumoDoc* Document()
{
    static std::unique_ptr<CLumoDoc> doc = [] {
        const std::vector<uint8_t> text = MakeText(kFileSize);
        std::FILE* file = std::tmpfile();
        std::fwrite(text.data(), 1, text.size(), file);
        std::rewind(file);
        auto d = LoadText(file, text.size());
        std::fclose(file);
        return d;
    }();
    return doc.get();
}

void BM_BuildRows(benchmark::State& state)
{
    CLumoDoc* doc = Document();
    CTextLineModel model(*doc, Layout());
    for (auto _ : state)
        benchmark::DoNotOptimize(model.rebuild());
    if (model.lineCount() >= kMaxRows)
        state.SkipWithError("the text reached the line limit");
    state.counters["rows"] = model.lineCount();
    state.SetBytesProcessed(int64_t(state.iterations()) * doc->DataSize());
}
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5);

// Timed: the insertion and its rewrap; the deletion that undoes it is not.
void BM_InsertInFirstLine(benchmark::State& state)
{
    CLumoDoc* doc = Document();
    CTextLineModel model(*doc, Layout());
    (void)model.rebuild();
    const uint32_t rows = model.lineCount();
    const uint32_t firstLineEnd = model.logicalLineEnd(0) + 2;
    const uint8_t byte = 'x';
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!doc->InsertBytes(0, &byte, 1, nullptr))
            state.SkipWithError("insertion refused");
        const auto result = model.rewrapFrom(0, 1, 0, 0);
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        if (result.changedEnd != firstLineEnd + 1)
            state.SkipWithError("the rewrap went past the first logical line");
        (void)doc->DeleteBytes(0, 1, nullptr);
        (void)model.rewrapFrom(0, -1, 0, 0);
    }
    if (model.lineCount() != rows)
        state.SkipWithError("the row count changed");
}
BENCHMARK(BM_InsertInFirstLine)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Loads the file as a text document and wraps it once, as opening it would.
int WrapFile(const char* path)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return 1;
    std::fseek(f, 0, SEEK_END);
    const long length = std::ftell(f);
    std::rewind(f);
    auto doc = LoadText(f, uint64_t(length));
    std::fclose(f);
    if (!doc)
        return 1;
    CTextLineModel model(*doc, Layout());
    (void)model.rebuild();
    std::printf("%u rows\n", model.lineCount());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--make-data") == 0)
        return WriteBytesFile(argv[2], MakeText(kFileSize));
    if (argc == 3 && std::strcmp(argv[1], "--wrap") == 0)
        return WrapFile(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
