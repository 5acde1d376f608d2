// How the text find compares one character unit (one byte, or a lead byte
// with its trail): the full-width forms of code page 932 that have a
// single-byte form fold to it when widths are not distinguished, and letters
// fold to lower case, the full-width Latin ones included, when case does not
// matter. A unit becomes a 16-bit key, first byte high and 0 below a single
// byte, so keys order as the bytes do.
#pragma once

#include <cstdint>

namespace unitfold {

// The single byte a double-byte character stands for in half width, or 0
// when it has none (kanji, hiragana, voiced katakana, ...).
uint8_t HalfWidth(uint8_t lead, uint8_t trail);

// The key of a unit of length 1 or 2 after the folds asked for; length
// answers the folded unit's length.
uint16_t Key(const uint8_t* unit, uint32_t& length, bool matchCase, bool distinguishWidth);

} // namespace unitfold
