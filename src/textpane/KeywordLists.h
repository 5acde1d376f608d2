// The C and C++ keywords the text pane colours in documents of types 1 and 2,
// held as fixed records so that a later keyword file can replace them whole.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct CKeywordRecord
{
    uint32_t nLength = 0;
    char text[28] = {};

    std::string_view View() const { return {text, nLength}; }
};

std::span<const CKeywordRecord> CKeywords();   // 81 entries
std::span<const CKeywordRecord> CppKeywords(); // 15 entries
