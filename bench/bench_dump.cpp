// Formatting every line of a 50 MiB file through the dump layout, in each
// character code and in both output codes, against a plain loop that writes
// the same Shift-JIS lines (16 bytes per line, blocks of 8, hexadecimal
// addresses) in one function.
#include "app/Settings.h"
#include "binpane/DumpLayout.h"
#include "binpane/MemoryDumpSource.h"
#include "platform/Cp932.h"

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// The largest file the default size limit loads whole.
constexpr size_t kFileSize = 52'428'797;
constexpr size_t kOutSize = 1 << 20;

// Text, Shift-JIS and JIS runs, and plain binary, in blocks of a few KiB.
std::vector<uint8_t> MakeMixedData(size_t size)
{
    std::mt19937 rng(2024);
    std::vector<uint8_t> d;
    d.reserve(size + 8192);
    const std::string words = "the quick brown fox jumps over a lazy dog 0123456789\r\n";
    while (d.size() < size) {
        const size_t block = 1024 + rng() % 8192;
        const unsigned kind = rng() % 4;
        for (size_t i = 0; i < block; ++i) {
            switch (kind) {
            case 0: d.push_back(static_cast<uint8_t>(words[rng() % words.size()])); break;
            case 1: {
                const uint16_t s = cp932::JisToSjis(static_cast<uint16_t>((0x30 + rng() % 0x40) << 8 | (0x21 + rng() % 0x5E)));
                d.push_back(static_cast<uint8_t>(s >> 8));
                d.push_back(static_cast<uint8_t>(s));
                break;
            }
            case 2:
                if (i % 64 == 0) {
                    const char* esc = (i / 64) % 2 ? "\x1B$B" : "\x1B(B";
                    d.insert(d.end(), esc, esc + 3);
                }
                d.push_back(static_cast<uint8_t>(0x21 + rng() % 0x5E));
                break;
            default: d.push_back(static_cast<uint8_t>(rng())); break;
            }
        }
    }
    d.resize(size);
    return d;
}

const std::vector<uint8_t>& Data()
{
    static const std::vector<uint8_t> data = MakeMixedData(kFileSize);
    return data;
}

bool IsLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The baseline. Calls `flush` whenever fewer than 128 bytes of room are left.
template <typename Flush>
void PlainSjisDump(const uint8_t* d, size_t size, uint8_t* out, size_t outSize, Flush flush)
{
    static const char hex[] = "0123456789ABCDEF";
    size_t o = 0;
    size_t leadRun = 0;  // lead bytes right before the line (those of earlier lines included)
    for (size_t p0 = 0; p0 < size; p0 += 16) {
        if (o + 128 > outSize) {
            flush(o);
            o = 0;
        }
        const size_t n = size - p0 < 16 ? size - p0 : 16;
        uint8_t* line = out + o;
        uint8_t* text = line + 60;
        std::memset(line, ' ', 60 + n + 1);
        for (int i = 0; i < 8; ++i)
            line[i] = static_cast<uint8_t>(hex[(p0 >> (28 - 4 * i)) & 15]);
        for (size_t i = 0; i < n; ++i) {
            const uint8_t b = d[p0 + i];
            uint8_t* cell = line + 10 + 3 * i + i / 8;
            cell[0] = static_cast<uint8_t>(hex[b >> 4]);
            cell[1] = static_cast<uint8_t>(hex[b & 15]);
            text[i] = b < 0x20 ? '.' : b;
        }
        if (p0 > 0 && d[p0] >= 0x40 && (leadRun & 1))
            text[0] = ' ';
        bool straddle = false;
        if (n > 1 && p0 + n < size && IsLead(text[n - 1])) {
            size_t run = 0;
            while (run < n - 1 && IsLead(text[n - 2 - run]))
                ++run;
            straddle = run % 2 == 0;
        }
        text[n] = straddle ? (d[p0 + n] < 0x20 ? '.' : d[p0 + n]) : ' ';
        text[n + 1] = '\r';
        text[n + 2] = '\n';
        o += 60 + n + 3;
        size_t run = 0;
        while (run < n && IsLead(d[p0 + n - 1 - run]))
            ++run;
        leadRun = run == n ? leadRun + n : run;
    }
    flush(o);
}

template <typename Flush>
void LayoutDump(const uint8_t* d, size_t size, int code, CDumpLayout::LineCode lineCode, uint8_t* out,
                size_t outSize, Flush flush)
{
    CSettings s;
    s.StrCodeType = code;
    CMemoryDumpSource source(d, static_cast<uint32_t>(size));
    CDumpLayout layout(source, s, lineCode);
    size_t o = 0;
    const uint32_t lines = layout.lineCount();
    for (uint32_t line = 0; line < lines; ++line) {
        if (o + CDumpLayout::kLineBufferSize > outSize) {
            flush(o);
            o = 0;
        }
        o += static_cast<size_t>(layout.formatDumpLine(line, out + o));
    }
    flush(o);
}

// The baseline must write exactly what the layout writes, or it measures
// something else: checked once on the first 4 MiB before anything is timed.
bool BaselineMatches()
{
    const size_t size = 4 << 20;
    std::string a, b;
    std::vector<uint8_t> out(kOutSize);
    PlainSjisDump(Data().data(), size, out.data(), out.size(),
                  [&](size_t n) { a.append(reinterpret_cast<char*>(out.data()), n); });
    LayoutDump(Data().data(), size, 1, CDumpLayout::LineCode::Cp932, out.data(), out.size(),
               [&](size_t n) { b.append(reinterpret_cast<char*>(out.data()), n); });
    return a == b;
}

void BM_PlainLoopShiftJis(benchmark::State& state)
{
    std::vector<uint8_t> out(kOutSize);
    size_t written = 0;
    for (auto _ : state) {
        PlainSjisDump(Data().data(), Data().size(), out.data(), out.size(), [&](size_t n) {
            benchmark::DoNotOptimize(out.data());
            written += n;
        });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Data().size()));
    benchmark::DoNotOptimize(written);
}

void BM_DumpLayout(benchmark::State& state)
{
    std::vector<uint8_t> out(kOutSize);
    size_t written = 0;
    const int code = static_cast<int>(state.range(0));
    const auto lineCode = state.range(1) ? CDumpLayout::LineCode::Utf8 : CDumpLayout::LineCode::Cp932;
    for (auto _ : state) {
        LayoutDump(Data().data(), Data().size(), code, lineCode, out.data(), out.size(), [&](size_t n) {
            benchmark::DoNotOptimize(out.data());
            written += n;
        });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Data().size()));
    benchmark::DoNotOptimize(written);
}

BENCHMARK(BM_PlainLoopShiftJis)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DumpLayout)
    ->ArgNames({ "code", "utf8" })
    ->ArgsProduct({ { 1, 2, 3, 4 }, { 0, 1 } })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--make-data") == 0)
        return WriteBytesFile(argv[2], Data());
    if (!BaselineMatches()) {
        std::fprintf(stderr, "bench_dump: the plain loop no longer writes the layout's lines\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
