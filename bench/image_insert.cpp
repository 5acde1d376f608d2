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
    if (doc.ReserveImage(kImageSize) > CFileImage::Grown)
        return;
    doc.m_image.BeginDirect(0);
    uint8_t* block = doc.m_image.GetPointer(0);
    for (uint32_t i = 0; i < kImageSize; ++i)
        block[i] = static_cast<uint8_t>(i * 131u >> 3);
    doc.m_image.EndDirect(0);
    doc.m_nDataSize = kImageSize;
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
        if (doc.ReserveImage(doc.m_nDataSize + 1) > CFileImage::Grown) {
            state.SkipWithError("no room to insert");
            break;
        }
        doc.m_image.MoveUp(caret + 1, caret, doc.m_nDataSize - caret);
        doc.m_image.SetAt(caret, ++value);
        ++doc.m_nDataSize;
        ++caret;
    }
    benchmark::DoNotOptimize(doc.m_image.GetAt(kFirstCaret));
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
