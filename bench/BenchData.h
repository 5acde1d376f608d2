// The bytes benchmarks run on: random bytes made the same in every run, and
// their writing to a file for the compare scripts that time other programs on
// the same bytes (`--make-data FILE`).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>
#include <vector>

// n bytes of a generator seeded with seed.
inline std::vector<uint8_t> RandomBytes(size_t n, unsigned seed)
{
    std::vector<uint8_t> bytes(n);
    std::mt19937 rng(seed);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(rng());
    return bytes;
}

// 0 when the file holds the bytes, 1 otherwise (an exit status).
inline int WriteBytesFile(const char* path, std::span<const uint8_t> bytes)
{
    std::FILE* f = std::fopen(path, "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return f && std::fclose(f) == 0 && ok ? 0 : 1;
}

// The main of a benchmark program whose bytes a compare script also hands to
// another program: `--make-data FILE` writes them instead of timing anything.
template <typename MakeData>
int RunBenchmarksOrWriteData(int argc, char** argv, MakeData data)
{
    if (argc == 3 && std::strcmp(argv[1], "--make-data") == 0)
        return WriteBytesFile(argv[2], data());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
