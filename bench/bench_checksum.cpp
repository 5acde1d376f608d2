// The checksum command on a selection of 50 MiB: CRC-32, MD5, SHA-1 and
// SHA-256 together, read through the document as the command reads it;
// beside SHA-256 alone and CRC-32 alone over the same bytes in one block.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "frame/Crc32.h"
#include "frame/widgets/DocumentChecksums.h"

#include "BenchData.h"

#include <QCryptographicHash>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr uint32_t kDataSize = 50u << 20;

const std::vector<uint8_t>& Data()
{
    static const std::vector<uint8_t> data = RandomBytes(kDataSize, 17);
    return data;
}

// A document holding the data, as an edited one does (bytes behind the edit window).
CLumoDoc& Document()
{
    g_nMaxImageSize = 64u << 20;
    static CLumoDoc doc(CLumoDoc::kBinaryMode);
    if (doc.DataSize() == 0 && !doc.InsertBytes(0, Data().data(), kDataSize, nullptr))
        std::abort();
    return doc;
}

void BM_Checksum_AllFour(benchmark::State& state)
{
    CLumoDoc& doc = Document();
    for (auto _ : state)
        benchmark::DoNotOptimize(SumDocumentBytes(doc, 0, doc.DataSize()));
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}
BENCHMARK(BM_Checksum_AllFour)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Checksum_Sha256Baseline(benchmark::State& state)
{
    const std::vector<uint8_t>& data = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(QCryptographicHash::hash(QByteArrayView(data.data(), qsizetype(data.size())),
                                                          QCryptographicHash::Sha256));
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}
BENCHMARK(BM_Checksum_Sha256Baseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Checksum_Crc32(benchmark::State& state)
{
    const std::vector<uint8_t>& data = Data();
    for (auto _ : state) {
        CCrc32 crc;
        crc.update(data.data(), data.size());
        benchmark::DoNotOptimize(crc.value());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}
BENCHMARK(BM_Checksum_Crc32)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOrWriteData(argc, argv, Data);
}
