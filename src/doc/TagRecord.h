// One named tag of a text document: a marked string of 1 to 80 bytes at an
// image offset, kept zero-terminated in a fixed 84-byte field.
#pragma once

#include <cstdint>

struct CTagRecord
{
    static constexpr int kMaxName = 80;

    uint32_t nOffset = 0;
    int32_t nLength = 0;
    char name[84] = {};
};
