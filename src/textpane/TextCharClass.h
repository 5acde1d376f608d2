// The character classes that word movement and double-click selection walk
// by: a word is a run of units of one class.
#pragma once

#include <cstdint>

enum class TextCharClass : uint8_t {
    Separator = 3, // the text end, CR, a full-width space, a symbol, other single bytes
    Alphanumeric = 1,
    HalfWidthKana = 2,
    Hiragana = 4,
    Katakana = 5,
    Kanji = 6, // any other double-byte character
};

// The class of a single-byte unit, or of a double-byte one (lead and trail).
TextCharClass CharClassOf(uint8_t b);
TextCharClass CharClassOf(uint8_t lead, uint8_t trail);
