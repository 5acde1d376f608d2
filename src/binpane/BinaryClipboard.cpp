#include "binpane/BinaryClipboard.h"

#include "platform/Cp932.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

// The private block: a 32-bit length, then the bytes; 11 spare bytes as the
// block has always had.
uint8_t* g_hBinaryClip = nullptr;

constexpr size_t kConversionChunk = 16'384;

// A trail byte of code page 932 as the Unicode conversion pairs it.
constexpr bool IsTrailByte(uint8_t b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

size_t UnitLength(const uint8_t* s, size_t i, size_t n)
{
    return cp932::IsLeadByte(s[i]) && i + 1 < n && IsTrailByte(s[i + 1]) ? 2 : 1;
}

// Whether text[0..t) is the stripped bytes s[0..n) as they come back from
// Unicode, converted in chunks that end on character boundaries.
bool MatchesRoundTrip(const uint8_t* s, size_t n, const uint8_t* text, size_t t)
{
    std::string utf8;
    size_t done = 0;
    for (size_t i = 0; i < n;) {
        size_t end = i;
        while (end < n && end - i < kConversionChunk)
            end += UnitLength(s, end, n);
        utf8.clear();
        cp932::AppendUtf8(utf8, s + i, end - i);
        const std::string back = cp932::FromUtf8(utf8);
        if (back.size() > t - done || std::memcmp(back.data(), text + done, back.size()) != 0)
            return false;
        done += back.size();
        i = end;
    }
    return done == t;
}

} // namespace

uint32_t CBinaryClipboard::StripZeros(const uint8_t* bytes, uint32_t n, uint8_t* out)
{
    uint32_t t = 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (bytes[i] != 0)
            out[t++] = bytes[i];
    }
    return t;
}

bool CBinaryClipboard::Replace(const uint8_t* bytes, uint32_t n)
{
    Free();
    g_hBinaryClip = static_cast<uint8_t*>(std::calloc(size_t{n} + 11, 1));
    if (!g_hBinaryClip)
        return false;
    std::memcpy(g_hBinaryClip, &n, sizeof n);
    std::memcpy(g_hBinaryClip + sizeof n, bytes, n);
    return true;
}

void CBinaryClipboard::Free()
{
    std::free(g_hBinaryClip);
    g_hBinaryClip = nullptr;
}

bool CBinaryClipboard::Has()
{
    return g_hBinaryClip != nullptr;
}

uint32_t CBinaryClipboard::Length()
{
    uint32_t n = 0;
    if (g_hBinaryClip)
        std::memcpy(&n, g_hBinaryClip, sizeof n);
    return n;
}

const uint8_t* CBinaryClipboard::Bytes()
{
    return g_hBinaryClip ? g_hBinaryClip + sizeof(uint32_t) : nullptr;
}

CBinaryClipboard::Match CBinaryClipboard::MatchesText(const uint8_t* text, size_t t)
{
    if (!g_hBinaryClip)
        return Match::No;
    const uint32_t length = Length();
    std::unique_ptr<uint8_t[]> stripped(new (std::nothrow) uint8_t[size_t{length} + 1]);
    if (!stripped)
        return Match::OutOfMemory;
    const uint32_t n = StripZeros(Bytes(), length, stripped.get());
    // Text the conversion leaves alone matches at once.
    if (n == t && std::memcmp(stripped.get(), text, t) == 0)
        return Match::Yes;
    return MatchesRoundTrip(stripped.get(), n, text, t) ? Match::Yes : Match::No;
}
