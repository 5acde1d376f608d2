// One byte inserted at a caret that walks forward through a 50 MiB image, the
// way typing in insert mode reaches the document, beside a vector that moves
// its whole tail for every insert.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kImageSize = 50u << 20;
constexpr uint32_t kFirstCaret = 1u << 20;

void FillImage(CLumoDoc& doc)
{
    std::vector<uint8_t> bytes(kImageSize);
    for (uint32_t i = 0; i < kImageSize; ++i)
        bytes[i] = static_cast<uint8_t>(i * 131u >> 3);
    (void)doc.InsertBytes(0, bytes.data(), kImageSize, nullptr);
}

void BM_InsertByteWalkingCaret_FileImage(benchmark::State& state)
{
    // The limit MaxEditRange = 10 gives: room for 50 MiB plus what is typed.
    g_nMaxImageSize = 10 * 10'485'760u;
    CLumoDoc doc(CLumoDoc::kBinaryMode);
    FillImage(doc);
    uint32_t caret = kFirstCaret;
    uint8_t value = 0;
    for (auto _ : state) {
        ++value;
        if (!doc.InsertBytes(caret, &value, 1, nullptr)) {
            state.SkipWithError("no room to insert");
            break;
        }
        ++caret;
    }
    benchmark::DoNotOptimize(doc.GetAt(kFirstCaret));
}
// Enough inserts that about eighteen window write-backs (each moving the
// 49 MiB tail) fall into every run.
BENCHMARK(BM_InsertByteWalkingCaret_FileImage)->Iterations(200'000)->Unit(benchmark::kNanosecond);

void BM_InsertByteWalkingCaret_VectorBaseline(benchmark::State& state)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kImageSize + 4'096);
    bytes.resize(kImageSize);
    for (uint32_t i = 0; i < kImageSize; ++i)
        bytes[i] = static_cast<uint8_t>(i * 131u >> 3);
    size_t caret = kFirstCaret;
    uint8_t value = 0;
    for (auto _ : state) {
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(caret), ++value);
        ++caret;
    }
    benchmark::DoNotOptimize(bytes[kFirstCaret]);
}
BENCHMARK(BM_InsertByteWalkingCaret_VectorBaseline)->Iterations(300)->Unit(benchmark::kNanosecond);

} // namespace
