// The data inspector's reading of the bytes at a caret: integers of every
// width, sign and byte order, floating point, the caret byte in binary, a
// 32-bit UNIX time and the character there in the four codes of the dump.
// Texts are UTF-8; a value that needs more bytes than are given reads "-".
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace inspector {

// The most bytes any row reads: a caller hands over no more than these.
inline constexpr uint32_t kReadBytes = 8;

enum Row : int {
    U8, S8,
    U16Le, S16Le, U16Be, S16Be,
    U32Le, S32Le, U32Be, S32Be,
    U64Le, S64Le, U64Be, S64Be,
    F32Le, F32Be, F64Le, F64Be,
    Binary, UnixTime,
    ShiftJis, Jis, Euc, Utf16,
    kRowCount
};

using RowTexts = std::array<std::string, kRowCount>;

// The row's name as the panel shows it.
const char* RowLabel(int row);

// Every row's text for the bytes at the caret (fewer than kReadBytes before
// the data end; none at it).
RowTexts DecodeRows(std::span<const uint8_t> bytes);

// Seconds since 1970-01-01 UTC as "YYYY-MM-DDThh:mm:ssZ"; negative counts
// are dates before 1970.
std::string UnixTimeText(int64_t seconds);

} // namespace inspector
