#include "binpane/DataInspector.h"

#include "binpane/InspectorCharacters.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace inspector {
namespace {

constexpr const char* kLabels[kRowCount] = {
    "8ビット 符号なし", "8ビット 符号付き",
    "16ビット 符号なし LE", "16ビット 符号付き LE", "16ビット 符号なし BE", "16ビット 符号付き BE",
    "32ビット 符号なし LE", "32ビット 符号付き LE", "32ビット 符号なし BE", "32ビット 符号付き BE",
    "64ビット 符号なし LE", "64ビット 符号付き LE", "64ビット 符号なし BE", "64ビット 符号付き BE",
    "32ビット 浮動小数点 LE", "32ビット 浮動小数点 BE", "64ビット 浮動小数点 LE", "64ビット 浮動小数点 BE",
    "2進数", "UNIX時刻 (32ビット LE)",
    "Shift-JIS", "JIS", "EUC", "UTF-16LE",
};

// The first `width` bytes as an unsigned number in either byte order.
uint64_t Unsigned(std::span<const uint8_t> bytes, size_t width, bool bigEndian)
{
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = value << 8 | bytes[bigEndian ? i : width - 1 - i];
    return value;
}

int64_t Signed(uint64_t value, size_t width)
{
    const unsigned shift = 64 - 8 * static_cast<unsigned>(width);
    return static_cast<int64_t>(value << shift) >> shift;
}

template <typename T>
std::string Decimal(T value)
{
    char text[24];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// The four integer rows of one width, from row `first` on: LE unsigned and
// signed, BE unsigned and signed.
void PutIntegers(RowTexts& rows, int first, std::span<const uint8_t> bytes, size_t width)
{
    if (bytes.size() < width)
        return;
    for (const bool bigEndian : {false, true}) {
        const uint64_t value = Unsigned(bytes, width, bigEndian);
        const int row = first + (bigEndian ? 2 : 0);
        rows[row] = Decimal(value);
        rows[row + 1] = Decimal(Signed(value, width));
    }
}

// The shortest text that reads back the same value; NaN and the infinities
// by name, denormals marked as such.
template <typename Float>
std::string FloatText(Float value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-∞" : "∞";
    char text[40];
    std::string out(text, std::to_chars(text, text + sizeof text, value).ptr);
    if (std::fpclassify(value) == FP_SUBNORMAL)
        out += " (非正規化数)";
    return out;
}

template <typename Float, typename Bits>
void PutFloats(RowTexts& rows, int first, std::span<const uint8_t> bytes)
{
    if (bytes.size() < sizeof(Float))
        return;
    for (const bool bigEndian : {false, true}) {
        const auto bits = static_cast<Bits>(Unsigned(bytes, sizeof(Float), bigEndian));
        rows[first + (bigEndian ? 1 : 0)] = FloatText(std::bit_cast<Float>(bits));
    }
}

std::string BinaryText(uint8_t b)
{
    std::string out(8, '0');
    for (int i = 0; i < 8; ++i)
        if (b & (0x80 >> i))
            out[static_cast<size_t>(i)] = '1';
    return out;
}

// Year, month and day of a count of days since 1970-01-01 in the proleptic
// Gregorian calendar, counted in eras of 400 years from 0000-03-01 so that
// the leap day closes each year.
void CivilDate(int64_t days, int64_t& year, int& month, int& day)
{
    days += 719468; // 0000-03-01 to 1970-01-01
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153; // 0 is March
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace

const char* RowLabel(int row)
{
    return row >= 0 && row < kRowCount ? kLabels[row] : "";
}

std::string UnixTimeText(int64_t seconds)
{
    constexpr int64_t kDay = 86400;
    const int64_t days = seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
    const int64_t inDay = seconds - days * kDay;
    int64_t year = 0;
    int month = 0, day = 0;
    CivilDate(days, year, month, day);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02dZ", static_cast<long long>(year), month, day,
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    return text;
}

RowTexts DecodeRows(std::span<const uint8_t> bytes)
{
    RowTexts rows;
    rows.fill("-");
    if (bytes.size() > kReadBytes)
        bytes = bytes.first(kReadBytes);
    if (!bytes.empty()) {
        rows[U8] = Decimal(bytes[0]);
        rows[S8] = Decimal(static_cast<int8_t>(bytes[0]));
        rows[Binary] = BinaryText(bytes[0]);
    }
    PutIntegers(rows, U16Le, bytes, 2);
    PutIntegers(rows, U32Le, bytes, 4);
    PutIntegers(rows, U64Le, bytes, 8);
    PutFloats<float, uint32_t>(rows, F32Le, bytes);
    PutFloats<double, uint64_t>(rows, F64Le, bytes);
    if (bytes.size() >= 4)
        rows[UnixTime] = UnixTimeText(static_cast<int32_t>(Unsigned(bytes, 4, false)));
    rows[ShiftJis] = ShiftJisText(bytes);
    rows[Jis] = JisText(bytes);
    rows[Euc] = EucText(bytes);
    rows[Utf16] = Utf16Text(bytes);
    return rows;
}

} // namespace inspector
