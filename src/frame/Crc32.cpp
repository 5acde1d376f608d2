#include "frame/Crc32.h"

#include <array>

namespace {

using Tables = std::array<std::array<uint32_t, 256>, 8>;

// tables[k][b]: the CRC of byte b followed by k zero bytes.
constexpr Tables MakeTables()
{
    Tables tables{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t crc = b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        tables[0][b] = crc;
    }
    for (size_t k = 1; k < 8; ++k)
        for (uint32_t b = 0; b < 256; ++b)
            tables[k][b] = (tables[k - 1][b] >> 8) ^ tables[0][tables[k - 1][b] & 0xFFu];
    return tables;
}

constexpr Tables kTables = MakeTables();

// Little-endian loads, whatever the machine's order.
uint32_t Load32(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

} // namespace

void CCrc32::update(const uint8_t* bytes, size_t n)
{
    uint32_t crc = m_nState;
    for (; n >= 8; n -= 8, bytes += 8) {
        const uint32_t low = Load32(bytes) ^ crc;
        const uint32_t high = Load32(bytes + 4);
        crc = kTables[7][low & 0xFFu] ^ kTables[6][(low >> 8) & 0xFFu] ^ kTables[5][(low >> 16) & 0xFFu]
              ^ kTables[4][low >> 24] ^ kTables[3][high & 0xFFu] ^ kTables[2][(high >> 8) & 0xFFu]
              ^ kTables[1][(high >> 16) & 0xFFu] ^ kTables[0][high >> 24];
    }
    for (; n > 0; --n, ++bytes)
        crc = (crc >> 8) ^ kTables[0][(crc ^ *bytes) & 0xFFu];
    m_nState = crc;
}
