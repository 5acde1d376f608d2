#include "doc/TextNormaliser.h"

#include "platform/Cp932.h"

#include <array>

namespace {

constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;

enum ByteKind : uint8_t { Plain, Nul, Starter };

constexpr std::array<uint8_t, 256> MakeKinds()
{
    std::array<uint8_t, 256> kinds{};
    for (int b = 0; b < 256; ++b)
        kinds[b] = cp932::IsLeadByte(static_cast<uint8_t>(b)) || b == kCr ? Starter : Plain;
    kinds[0] = Nul;
    return kinds;
}

constexpr std::array<uint8_t, 256> kKinds = MakeKinds();

} // namespace

uint32_t CTextNormaliser::Feed(const uint8_t* in, uint32_t n, uint8_t* out)
{
    // Locals, not members, inside the loop: stores through out may alias any
    // byte, and the compiler would write the members back on every byte.
    uint32_t o = 0;
    uint32_t k = 0;
    bool pair = m_bPair;
    if (m_bHasPending && n > 0) {
        m_bHasPending = false;
        const uint8_t partner = in[0];
        if (m_nPending != kCr || partner == kLf) {
            out[o++] = m_nPending;
            out[o++] = partner == kCr ? ' ' : partner;
            pair = true;
            k = 1;
        }
        // else: a lone CR is dropped and its partner is taken as a byte of its own.
    }
    while (k < n) {
        const uint8_t b = in[k];
        const uint8_t kind = kKinds[b];
        if (kind != Starter) {
            out[o++] = kind == Nul ? ' ' : b;
            pair = false;
            ++k;
            continue;
        }
        if (k + 1 == n) {
            m_nPending = b;
            m_bHasPending = true;
            break;
        }
        const uint8_t partner = in[k + 1];
        if (b == kCr && partner != kLf) {
            ++k; // drop the CR; the partner is looked at again as a byte of its own
            continue;
        }
        out[o++] = b;
        out[o++] = partner == kCr ? ' ' : partner;
        pair = true;
        k += 2;
    }
    m_bPair = pair;
    return o;
}
