#include "binpane/DumpWriter.h"

#include "binpane/DumpTestSupport.h"
#include "support/Utf8Model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// Text in all four codes, binary, and runs of bytes that keep the JIS and EUC
// look-back busy across chunk ends: escapes, 0x8E, long runs of high bytes.
std::string MixedContent(std::mt19937& rng, size_t size)
{
    static const char* const pieces[] = { "\x1B$B", "\x1B(B", "\x1B(J", "\x1B$@", "\x8E",
                                          "\x82\xA0", "\x93\xFA\x96\x7B", "\r\n", "\x1B" };
    std::string s;
    while (s.size() < size) {
        const unsigned kind = rng() % 6;
        const size_t run = 1 + rng() % 40;
        for (size_t i = 0; i < run; ++i) {
            switch (kind) {
            case 0: s += pieces[rng() % std::size(pieces)]; break;
            case 1: s += static_cast<char>(0x21 + rng() % 0x5E); break;
            case 2: s += static_cast<char>(0xA1 + rng() % 0x5E); break;
            case 3: s += static_cast<char>(0x81 + rng() % 0x7C); break;
            default: s += static_cast<char>(rng()); break;
            }
        }
        // Now and then a run longer than the look-back window.
        if (rng() % 50 == 0)
            s.append(4096 + rng() % 200, static_cast<char>(0xA1 + rng() % 2));
    }
    s.resize(size);
    return s;
}

// Every two bytes, each pair after a varying number of single bytes so that
// lines of any length cut pairs apart at their ends and starts.
std::string AllPairs()
{
    std::string s;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            s.append(static_cast<size_t>((a + b) % 3), 'x');
            s += static_cast<char>(a);
            s += static_cast<char>(b);
        }
    }
    return s;
}

std::string DumpThroughFile(const std::string& data, const CSettings& s, bool utf8, size_t chunk,
                            DumpOutcome& outcome)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fwrite(data.data(), 1, data.size(), in);
    std::fflush(in);
    ::lseek(fileno(in), 0, SEEK_SET);
    outcome = WriteFileDump(fileno(in), s, utf8, out, chunk);
    std::fclose(in);
    std::string text(static_cast<size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    return text;
}

} // namespace

// Read in chunks of any size, a file gives the text the layout gives for the
// same bytes held in memory, in every code and with any settings; its UTF-8
// dump is that text converted character by character.
TEST(DumpWriter, ChunkedDumpEqualsTheInMemoryDump)
{
    std::mt19937 rng(7);
    const size_t chunks[] = { 1, 3, 64, 65, 4097, CStreamDumpSource::kDefaultChunk };
    const char* const dummies[] = { "", ".", "*", "\xA5", "\x80", "\x81", "\x1F" };
    const std::string pairs = AllPairs();
    for (int round = 0; round < 32; ++round) {
        const size_t size = round < 4 ? static_cast<size_t>(round) : rng() % 30000;
        const std::string data = round % 8 == 7 ? pairs : MixedContent(rng, size);
        CSettings s = dumptest::Settings(5 + static_cast<int>(rng() % 60), 1 + round % 4, rng() % 2,
                                         5 + static_cast<int>(rng() % 60));
        s.Ignore8bitCode = static_cast<int>(rng() % 2);
        s.DummyCharFor8bit = dummies[rng() % std::size(dummies)];
        const std::string expected = dumptest::Dump(data, s).screenCopy();
        const size_t chunk = round % 3 ? chunks[rng() % std::size(chunks)] : 1 + rng() % 300;
        for (const bool utf8 : { false, true }) {
            DumpOutcome outcome;
            const std::string text = DumpThroughFile(data, s, utf8, chunk, outcome);
            EXPECT_EQ(outcome.result, DumpResult::Done);
            EXPECT_EQ(outcome.bytes, data.size());
            ASSERT_EQ(text, utf8 ? utf8model::ToUtf8(expected) : expected)
                << "round " << round << ", code " << s.StrCodeType << ", chunk " << chunk << ", utf8 " << utf8;
        }
    }
}
