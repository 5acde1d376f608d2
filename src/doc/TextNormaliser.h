// The normalisation a text document gets while it loads, fed in chunks:
//  - a NUL byte becomes a space, unless it is the second byte of a pair;
//  - a Shift-JIS lead byte or a CR takes the next byte as its partner;
//    a CR as partner becomes a space;
//  - a CR not followed by LF is dropped;
//  - a lead byte or CR that ends the input is dropped.
// So afterwards every CR is followed by LF, and no pair ends in CR.
#pragma once

#include <cstdint>

class CTextNormaliser
{
public:
    // Normalises n bytes into out and answers how many were written. Over the
    // whole input the output is never longer than the input, so out may be a
    // buffer of the input's total size.
    uint32_t Feed(const uint8_t* in, uint32_t n, uint8_t* out);

    // Whether the last item written was a two-byte pair.
    bool LastWasPair() const { return m_bPair; }

private:
    uint8_t m_nPending = 0; // lead byte or CR waiting for its partner
    bool m_bHasPending = false;
    bool m_bPair = false;
};
