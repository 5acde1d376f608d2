// The text-load normaliser on any bytes, fed whole and in two chunks split
// where the first byte says: the same output, never longer than the input,
// every CR followed by LF and no NUL outside a pair.
#include "doc/TextNormaliser.h"
#include "platform/Cp932.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t split = data[0] % size;
    const uint8_t* in = data + 1;
    const auto n = static_cast<uint32_t>(size - 1);
    std::vector<uint8_t> whole(n + 1), chunked(n + 1);
    CTextNormaliser one, two;
    const uint32_t w = one.Feed(in, n, whole.data());
    uint32_t c = two.Feed(in, static_cast<uint32_t>(split), chunked.data());
    c += two.Feed(in + split, n - static_cast<uint32_t>(split), chunked.data() + c);
    if (w != c || w > n || std::memcmp(whole.data(), chunked.data(), w) != 0
        || one.LastWasPair() != two.LastWasPair())
        std::abort();
    for (uint32_t i = 0; i < w; ++i) {
        const uint8_t b = whole[i];
        if (cp932::IsLeadByte(b) || b == '\r') {
            if (i + 1 >= w || (b == '\r' && whole[i + 1] != '\n'))
                std::abort();
            ++i; // the pair's second byte may be anything but CR
            if (whole[i] == '\r')
                std::abort();
        } else if (b == 0) {
            std::abort();
        }
    }
    return 0;
}
