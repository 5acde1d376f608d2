#include "frame/Crc32.h"
#include "frame/SelectionFacts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The CRC a bit at a time, straight from the polynomial.
uint32_t BitwiseCrc(const std::vector<uint8_t>& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

uint32_t Crc(std::string_view text)
{
    CCrc32 crc;
    crc.update(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return crc.value();
}

} // namespace

// The published check values, and random lengths fed in random pieces (so
// every alignment of the eight-byte steps and their tails) against the
// bitwise definition.
TEST(Crc32, MatchesTheCheckValuesAndTheBitwiseDefinitionInAnyPieces)
{
    EXPECT_EQ(Crc(""), 0u);
    EXPECT_EQ(Crc("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    EXPECT_EQ(Crc32Hex(0x0000BEEFu), "0000beef");

    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> bytes(random() % (round < 100 ? 40 : 70'000));
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(random());
        CCrc32 crc;
        for (size_t done = 0; done < bytes.size();) {
            const size_t n = std::min<size_t>(bytes.size() - done, random() % 23);
            crc.update(bytes.data() + done, n);
            done += n;
        }
        ASSERT_EQ(crc.value(), BitwiseCrc(bytes)) << bytes.size();
    }
}

TEST(SelectionFacts, CountsGroupThousandsBesideTheirHexAndSaysWhatWasSummed)
{
    EXPECT_EQ(CountText(0), "0 (0x0)");
    EXPECT_EQ(CountText(999), "999 (0x3E7)");
    EXPECT_EQ(CountText(1234), "1,234 (0x4D2)");
    EXPECT_EQ(CountText(4'294'967'295u), "4,294,967,295 (0xFFFFFFFF)");
    EXPECT_EQ(SelectionPaneText(std::nullopt), "");
    EXPECT_EQ(SelectionPaneText(1'000'000), "選択: 1,000,000 (0xF4240)");
    EXPECT_EQ(SizePaneText(0), "サイズ: 0 (0x0)");

    EXPECT_EQ(SummedBytesText({16, 32, false}), "選択範囲: 0x00000010 - 0x0000002F  32 (0x20) バイト");
    EXPECT_EQ(SummedBytesText({0, 0, true}), "文書全体: 0 (0x0) バイト");
    EXPECT_EQ(ChecksumLines({"1", "2", "3", "4"}), "CRC-32: 1\nMD5: 2\nSHA-1: 3\nSHA-256: 4\n");
}
