// The character at the caret read in each code the dump knows: Shift-JIS,
// JIS (ISO-2022-JP in its kanji state, with the JIS X 0208 row and cell),
// EUC-JP and UTF-16LE. Each text is the character (UTF-8) and its code
// bytes; a sequence cut by the data end reads "不完全", one the code does not
// allow "不正", a well-formed one with no character "未定義".
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace inspector {

std::string ShiftJisText(std::span<const uint8_t> bytes);
std::string JisText(std::span<const uint8_t> bytes);
std::string EucText(std::span<const uint8_t> bytes);
std::string Utf16Text(std::span<const uint8_t> bytes);

} // namespace inspector
