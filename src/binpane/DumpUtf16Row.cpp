#include "binpane/DumpUtf16Row.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

namespace dumputf16 {
namespace {

constexpr int kMaxUnits = 32;

bool IsSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }

// The two cells of every code unit outside the surrogate range, converted
// once per process: a dump of a large file asks for the same few thousand
// characters again and again.
struct CellTable
{
    std::array<std::array<uint8_t, 2>, 0x10000> cells {};

    CellTable()
    {
        for (uint32_t u = 0; u < 0x10000; ++u) {
            const auto unit = static_cast<char16_t>(u);
            if (IsSurrogate(unit))
                continue;
            const std::string s = cp932::FromUtf16(&unit, 1);
            const bool pair = s.size() == 2 && cp932::IsLeadByte(static_cast<uint8_t>(s[0]));
            cells[u][0] = s.empty() ? '?' : static_cast<uint8_t>(s[0]);
            cells[u][1] = pair ? static_cast<uint8_t>(s[1]) : ' ';
        }
    }
};

const CellTable& Table()
{
    static const auto table = std::make_unique<CellTable>();
    return *table;
}

// Each single-byte character and a blank, or the two bytes of a double-byte one.
int Spread(const std::string& text, uint8_t* out)
{
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const int len = static_cast<int>(text.size());
    int cells = 0;
    for (int i = 0; i < len && cells < 2 * kMaxUnits;) {
        const bool pair = cp932::IsLeadByte(s[i]) && i + 1 < len;
        out[cells++] = s[i++];
        out[cells++] = pair ? s[i++] : ' ';
    }
    return cells;
}

} // namespace

int RowText(const uint8_t* bytes, int n, bool fullLine, int bytesPerLine, uint8_t* out)
{
    char16_t units[kMaxUnits];
    const int count = std::min(n / 2, kMaxUnits);
    bool surrogates = false;
    for (int i = 0; i < count; ++i) {
        units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        surrogates = surrogates || IsSurrogate(units[i]);
    }
    int cells = 0;
    if (surrogates) {
        // A pair makes one character: convert the units together.
        cells = Spread(cp932::FromUtf16(units, static_cast<size_t>(count)), out);
    } else {
        const CellTable& table = Table();
        for (int i = 0; i < count; ++i, cells += 2)
            std::memcpy(out + cells, table.cells[units[i]].data(), 2);
    }
    while (fullLine && cells < bytesPerLine)
        out[cells++] = ' ';
    for (int i = 0; i < cells; ++i) {
        if (out[i] < 0x20)
            out[i] = '.';
    }
    return cells;
}

} // namespace dumputf16
