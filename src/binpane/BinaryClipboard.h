// The clipboard seen from the hex pane, without a window: the text form of
// bytes (every 0x00 left out, as text cannot hold it) and the program's
// private block, which keeps the last copied bytes with their zeros so that a
// copy and paste inside the program gives back exactly what was copied.
#pragma once

#include <cstddef>
#include <cstdint>

class CBinaryClipboard
{
public:
    enum class Match { Yes, No, OutOfMemory };

    // Copies the n bytes without their zeros to out (room for n bytes); answers the count.
    static uint32_t StripZeros(const uint8_t* bytes, uint32_t n, uint8_t* out);

    // The private block: replaced by every copy. False (and no block) when memory is short.
    [[nodiscard]] static bool Replace(const uint8_t* bytes, uint32_t n);
    static void Free();
    static bool Has();
    static uint32_t Length();
    static const uint8_t* Bytes();

    // Whether the clipboard's text (code page 932 bytes, t of them) is what a
    // copy of the private bytes put there, after the round trip through
    // Unicode that the system clipboard makes.
    static Match MatchesText(const uint8_t* text, size_t t);
};
