// Loading and saving a 50 MiB file through the document (binary and text
// load, atomic save) beside plain stdio transfers of the same file.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr size_t kFileSize = 50u << 20;

// The files live for the whole run in a folder of their own.
class CBenchFiles
{
public:
    CBenchFiles()
    {
        std::string pattern = (fs::temp_directory_path() / "vexel-bench-XXXXXX").string();
        m_dir = ::mkdtemp(pattern.data()) ? pattern : fs::temp_directory_path().string();
        WriteBinary();
        WriteText();
        // MaxEditRange = 10: the 50 MiB files load whole instead of being cut at 50 MiB - 3.
        g_nMaxImageSize = 10 * 10'485'760u;
    }
    ~CBenchFiles()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string Binary() const { return m_dir + "/data.bin"; }
    std::string Text() const { return m_dir + "/text.txt"; }
    std::string Out() const { return m_dir + "/out.bin"; }

private:
    void WriteBinary()
    {
        std::vector<uint8_t> bytes(kFileSize);
        std::mt19937 random(1);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(random());
        Put(Binary(), bytes.data(), bytes.size());
    }

    // Shift-JIS lines of Japanese, half-width kana and ASCII, each ending CR LF.
    void WriteText()
    {
        const std::string lines[] = {
            "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x8d\x73\x82\xc5\x82\xb7\x81\x42\r\n",
            "int main(void) { return 0; } // ASCII line of source text\r\n",
            "\xb1\xb2\xb3\xb4\xb5 \x95\xb6\x8e\x9a\x97\xf1 0x1234 \x81\x75\x8c\x9f\x8d\xf5\x81\x76\r\n",
            "\r\n",
        };
        std::string text;
        text.reserve(kFileSize + 128);
        for (size_t i = 0; text.size() < kFileSize; ++i)
            text += lines[i % 4];
        text.resize(kFileSize);
        Put(Text(), text.data(), text.size());
    }

    static void Put(const std::string& path, const void* bytes, size_t n)
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return;
        std::fwrite(bytes, 1, n, file);
        std::fclose(file);
    }

    std::string m_dir;
};

const CBenchFiles& Files()
{
    static CBenchFiles files;
    return files;
}

void Open(benchmark::State& state, const std::string& path, int mode)
{
    for (auto _ : state) {
        CLumoDoc doc(mode);
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("open failed");
            break;
        }
        benchmark::DoNotOptimize(doc.DataSize());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileSize));
}

void BM_Load50MiB_BinaryDocument(benchmark::State& state)
{
    Open(state, Files().Binary(), CLumoDoc::kBinaryMode);
}
BENCHMARK(BM_Load50MiB_BinaryDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Load50MiB_TextDocument(benchmark::State& state)
{
    Open(state, Files().Text(), CLumoDoc::kTextMode);
}
BENCHMARK(BM_Load50MiB_TextDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// A raw read of the same file into memory allocated for it, as any loader must.
void BM_Load50MiB_RawFreadBaseline(benchmark::State& state)
{
    const std::string path = Files().Binary();
    for (auto _ : state) {
        std::unique_ptr<uint8_t, decltype(&std::free)> buffer(
            static_cast<uint8_t*>(std::malloc(kFileSize)), &std::free);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const size_t got = file ? std::fread(buffer.get(), 1, kFileSize, file) : 0;
        if (file)
            std::fclose(file);
        benchmark::DoNotOptimize(got);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileSize));
}
BENCHMARK(BM_Load50MiB_RawFreadBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Save50MiB_BinaryDocument(benchmark::State& state)
{
    CLumoDoc doc(CLumoDoc::kBinaryMode);
    if (!doc.OnOpenDocument(Files().Binary())) {
        state.SkipWithError("open failed");
        return;
    }
    for (auto _ : state) {
        if (!doc.OnSaveDocument(Files().Out())) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileSize));
}
BENCHMARK(BM_Save50MiB_BinaryDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The like-for-like baseline: the save syncs the file before it replaces the
// old one, so this one syncs too. The variant without sync shows what the
// durability costs.
void RawWrite(benchmark::State& state, bool sync)
{
    std::vector<uint8_t> bytes(kFileSize, 0x5A);
    const std::string path = Files().Out();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            state.SkipWithError("cannot write");
            break;
        }
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        if (sync)
            ::fsync(fileno(file));
        std::fclose(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileSize));
}

void BM_Save50MiB_RawFwriteFsyncBaseline(benchmark::State& state)
{
    RawWrite(state, true);
}
BENCHMARK(BM_Save50MiB_RawFwriteFsyncBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Save50MiB_RawFwriteNoSyncBaseline(benchmark::State& state)
{
    RawWrite(state, false);
}
BENCHMARK(BM_Save50MiB_RawFwriteNoSyncBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
