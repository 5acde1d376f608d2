// The text find over a 50 MiB Shift-JIS text with the default options (no
// pattern language, widths and case folded), for strings the text never
// holds, so that every start position is passed: one of ASCII letters and one
// of katakana. Each beside glibc's memmem on the same bytes in the same run.
#include "textpane/PatternMatcher.h"

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr uint32_t kDataSize = 50u << 20;
// The text has no "!" and no ヴ.
constexpr std::string_view kAbsentAscii = "Vexel!";
constexpr std::string_view kAbsentKana = "\x83\x94\x83\x40\x83\x43\x83\x49\x83\x8A\x83\x93"; // ヴァイオリン

// Lines of 20 to 80 characters with CR LF: hiragana runs, katakana words,
// kanji, lowercase ASCII words and the two Japanese punctuation marks; the
// same bytes on every run.
std::vector<uint8_t> MakeData()
{
    std::vector<uint8_t> data;
    data.reserve(kDataSize + 256);
    uint32_t state = 2026;
    auto next = [&state] { return state = state * 1'103'515'245u + 12'345u, state >> 8; };
    auto pair = [&data](uint32_t lead, uint32_t trail) {
        data.push_back(uint8_t(lead));
        data.push_back(uint8_t(trail));
    };
    while (data.size() < kDataSize) {
        for (uint32_t chars = 20 + next() % 60; chars > 0; --chars) {
            const uint32_t kind = next() % 16;
            if (kind < 7) {
                pair(0x82, 0x9F + next() % 0x53); // hiragana
            } else if (kind < 9) {
                const uint32_t trail = 0x40 + next() % 0x53; // katakana up to ン, no ヴ
                pair(0x83, trail >= 0x7F ? trail + 1 : trail);
            } else if (kind < 12) {
                const uint32_t trail = 0x40 + next() % 0xBC;
                pair(0x89 + next() % 14, trail >= 0x7F ? trail + 1 : trail); // kanji
            } else if (kind < 15) {
                data.push_back(uint8_t('a' + next() % 26));
            } else {
                pair(0x81, next() % 2 ? 0x41 : 0x42); // 、 。
            }
        }
        data.push_back('\r');
        data.push_back('\n');
    }
    data.resize(kDataSize);
    return data;
}

const std::vector<uint8_t>& Data()
{
    static const std::vector<uint8_t> data = MakeData();
    return data;
}

void RunFind(benchmark::State& state, std::string_view absent)
{
    const std::vector<uint8_t>& data = Data();
    for (auto _ : state) {
        const auto hit = findPattern(data.data(), 0, kDataSize, absent, true, false, false, false);
        if (hit)
            state.SkipWithError("the string is not absent");
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}

void RunMemmem(benchmark::State& state, std::string_view absent)
{
    const std::vector<uint8_t>& data = Data();
    for (auto _ : state) {
        const void* hit = memmem(data.data(), kDataSize, absent.data(), absent.size());
        if (hit)
            state.SkipWithError("the string is not absent");
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}

void BM_TextFindAbsent_Ascii(benchmark::State& state) { RunFind(state, kAbsentAscii); }
void BM_TextFindAbsent_Kana(benchmark::State& state) { RunFind(state, kAbsentKana); }
void BM_TextFindAbsent_Ascii_MemmemBaseline(benchmark::State& state) { RunMemmem(state, kAbsentAscii); }
void BM_TextFindAbsent_Kana_MemmemBaseline(benchmark::State& state) { RunMemmem(state, kAbsentKana); }

BENCHMARK(BM_TextFindAbsent_Ascii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFindAbsent_Ascii_MemmemBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFindAbsent_Kana)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFindAbsent_Kana_MemmemBaseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOrWriteData(argc, argv, Data);
}
