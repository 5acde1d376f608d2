// Finding words in CP932 text for keyword colouring. Occurrences start only
// at the start of a character unit, so a word never begins on the second byte
// of a double-byte character. A word character is an ASCII letter or digit
// (not the underscore); the text's edges count as word boundaries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

struct CWordRules
{
    bool matchCase = true;  // otherwise ASCII letters of single-byte units fold
    bool wholeWord = false; // no word character in the unit before or the byte after
};

// Calls found(at, length) for every occurrence of every word, in text order.
// text[0] must start a character unit.
void FindWords(std::span<const uint8_t> text, std::span<const std::string_view> words, CWordRules rules,
               const std::function<void(size_t at, size_t length)>& found);
