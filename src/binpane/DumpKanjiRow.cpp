#include "binpane/DumpKanjiRow.h"

#include "platform/Cp932.h"

#include <cstring>

namespace dumpkanji {
namespace {

constexpr uint8_t kEsc = 0x1B;
// The most a row converts: 64 bytes and the look-ahead byte.
constexpr int kMaxConverted = 72;

void PutPair(uint16_t jis, uint8_t* out)
{
    const uint16_t sjis = cp932::JisToSjis(jis);
    out[0] = static_cast<uint8_t>(sjis >> 8);
    out[1] = static_cast<uint8_t>(sjis & 0xFF);
}

bool IsEscape(const uint8_t* s, int i, int n, uint8_t b1, uint8_t b2a, uint8_t b2b)
{
    return i + 2 < n && s[i] == kEsc && s[i + 1] == b1 && (s[i + 2] == b2a || s[i + 2] == b2b);
}

// The first k converted bytes, widened by one when the k-th is a lead byte
// whose trail follows, so that no pair is cut in two. (The first taken byte
// opens the converted text, so it can never be a trail byte itself.)
int TakeCount(const uint8_t* conv, int len, int k)
{
    if (k <= 0 || k >= len || !cp932::IsLeadByte(conv[k - 1]))
        return k;
    const auto kind = cp932::ClassifyPosition(conv, static_cast<size_t>(len),
                                              static_cast<size_t>(k - 1));
    return kind == cp932::CharKind::Lead ? k + 1 : k;
}

int Convert(Code code, const uint8_t* s, int n, bool shifted, uint8_t* out)
{
    return code == Code::Jis ? ConvertJis(s, n, shifted, out) : ConvertEuc(s, n, shifted, out);
}

} // namespace

int ConvertJis(const uint8_t* s, int n, bool shifted, uint8_t* out)
{
    bool kanji = shifted;
    int i = 0;
    while (i < n) {
        const uint8_t b = s[i];
        if (b < 0x20 && b != kEsc) {
            out[i++] = '.';
        } else if (!kanji) {
            if (IsEscape(s, i, n, '$', 'B', '@')) {
                std::memset(out + i, '.', 3);
                i += 3;
                kanji = true;
            } else {
                out[i++] = b == kEsc ? '.' : b;
            }
        } else if (IsEscape(s, i, n, '(', 'B', 'J')) {
            std::memset(out + i, '.', 3);
            i += 3;
            kanji = false;
        } else if (i + 1 < n) {
            PutPair(static_cast<uint16_t>(b << 8 | s[i + 1]), out + i);
            i += 2;
        } else {
            out[i++] = b;
        }
    }
    return n;
}

int ConvertEuc(const uint8_t* s, int n, bool shifted, uint8_t* out)
{
    int i = 0;
    if (shifted && n > 0) {
        out[0] = s[0];
        i = 1;
    }
    while (i < n) {
        const uint8_t b = s[i];
        if (b == 0x8E) {
            out[i++] = '.';
            if (i < n) {
                out[i] = s[i];
                ++i;
            }
        } else if (b >= 0xA1 && b <= 0xFE && i + 1 < n) {
            const auto low = static_cast<uint8_t>(s[i + 1] - 0x80);
            PutPair(static_cast<uint16_t>((b - 0x80) << 8 | low), out + i);
            i += 2;
        } else {
            out[i++] = b;
        }
    }
    return n;
}

int RowText(Code code, const uint8_t* work, int n, int bytesPerLine,
            const CDumpCodeState& state, uint8_t* out)
{
    const bool shifted = code == Code::Jis ? state.kanji : state.kana;
    uint8_t conv[kMaxConverted];
    int len = 0;
    if (state.secondByte) {
        // The line opens on the second half of a pair: a blank in its place.
        const int converted = Convert(code, work + 1, n, shifted, conv);
        const int k = TakeCount(conv, converted, n - 1);
        out[0] = ' ';
        std::memcpy(out + 1, conv, static_cast<size_t>(k));
        len = 1 + k;
    } else {
        const int carry = state.carry;
        const int converted = Convert(code, work + carry, n - carry + 1, shifted, conv);
        const int k = TakeCount(conv, converted, n - carry);
        std::memset(out, '.', static_cast<size_t>(carry));
        std::memcpy(out + carry, conv, static_cast<size_t>(k));
        len = carry + k;
    }
    if (len == bytesPerLine)
        out[len++] = ' ';
    for (int i = 0; i < len; ++i) {
        if (out[i] < 0x20)
            out[i] = '.';
    }
    return len;
}

} // namespace dumpkanji
