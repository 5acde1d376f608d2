// The text pane's colour scheme, taken from the cabinet in use. Text colours
// are RGB values with the top bit clear; the three backgrounds carry
// kBackgroundBit, which is how a per-byte colour tells the painter to keep the
// default text colour and change the background instead.
#pragma once

#include <cstdint>

struct CCabinetSettings;

struct CTextColours
{
    static constexpr uint32_t kBackgroundBit = 0x80000000;

    uint32_t text = 0;
    uint32_t textBack = 0;
    uint32_t crMark = 0;
    uint32_t tabMark = 0;
    uint32_t cKeyword = 0;
    uint32_t cppKeyword = 0;
    uint32_t comment = 0;
    uint32_t keyword = 0;
    uint32_t markedLineBack = 0;
    uint32_t markedStringBack = 0;
    uint32_t tagOriginBack = 0;

    static CTextColours Of(const CCabinetSettings& cabinet);
};
