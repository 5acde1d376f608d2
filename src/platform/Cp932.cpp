// The code page 932 -> Unicode direction (table driven), classification and
// the JIS X 0208 arithmetic.
#include "platform/Cp932.h"

#include "platform/IconvConverter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace cp932 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr int kLeadCount = 60; // 0x81..0x9F and 0xE0..0xFC

constexpr bool IsTrailByte(unsigned b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

constexpr int LeadIndex(uint8_t b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + 31;
    return -1;
}

// A character's UTF-8 form: all four bytes are copied, `length` of them count.
struct Utf8Form
{
    char bytes[3];
    uint8_t length;
};
// Trail bytes 0x40..0xFC without 0x7F, numbered from 1; 0 stands for "no trail".
constexpr unsigned kTrailSlots = 189;

constexpr unsigned TrailSlot(unsigned b)
{
    if (!IsTrailByte(b))
        return 0;
    return b - 0x40 + (b < 0x7F ? 1 : 0);
}

Utf8Form EncodeUtf8(char32_t c)
{
    if (c < 0x80)
        return {{static_cast<char>(c), 0, 0}, 1};
    if (c < 0x800)
        return {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0}, 2};
    return {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
             static_cast<char>(0x80 | (c & 0x3F))},
            3};
}

// Every single byte and every lead/trail pair decoded once through iconv, so
// that drawing and the UTF-8 dump are plain lookups.
struct DecodeTable
{
    std::array<char32_t, 256> single{};
    std::vector<char32_t> pair = std::vector<char32_t>(kLeadCount * 256, kReplacement);
    // UTF-8 forms, small enough to stay in the first-level cache: the 256
    // single bytes, then a row per lead byte whose slot 0 is the lead byte
    // alone and whose slot TrailSlot(c) is the pair. The form at byte b
    // followed by byte c is at b's row plus (c's slot & b's mask) from the
    // classes below, without a branch on either; a nonzero sum means a pair.
    std::vector<Utf8Form> utf8 = std::vector<Utf8Form>(256 + kLeadCount * kTrailSlots);
    // Per byte: the row (bits 0..15), 0xFF when a trail may follow (16..23),
    // its TrailSlot (24..31). One load serves a byte as first and as next.
    std::array<uint32_t, 256> byteClass{};
    bool bAsciiIdentity = true;
};

// One code point for exactly these bytes, or U+FFFD. Code page 932 maps into
// the Basic Multilingual Plane only, which the three-byte UTF-8 forms rely on.
char32_t DecodeOne(CIconvConverter& decoder, const char* bytes, size_t n)
{
    std::string out;
    const auto result = decoder.convert(bytes, n, out);
    if (result.stop != CIconvConverter::Stop::Done) {
        decoder.reset();
        return kReplacement;
    }
    if (out.size() != 4)
        return kReplacement;
    char32_t c = 0;
    for (int i = 3; i >= 0; --i)
        c = (c << 8) | static_cast<uint8_t>(out[static_cast<size_t>(i)]);
    return c <= 0xFFFF && (c < 0xD800 || c > 0xDFFF) ? c : kReplacement;
}

// Without the system's converter only ASCII and half-width katakana are known.
char32_t DecodeSingleWithoutIconv(uint8_t b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xA1 && b <= 0xDF)
        return 0xFF61 + (b - 0xA1);
    return kReplacement;
}

DecodeTable BuildDecodeTable()
{
    DecodeTable t;
    CIconvConverter decoder("UTF-32LE", "CP932");
    for (unsigned b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        t.single[b] = decoder.isOpen() ? DecodeOne(decoder, &byte, 1)
                                       : DecodeSingleWithoutIconv(static_cast<uint8_t>(b));
        if (b < 0x80 && t.single[b] != b)
            t.bAsciiIdentity = false;
    }
    for (unsigned b = 0; b < 256; ++b) {
        t.utf8[b] = EncodeUtf8(t.single[b]);
        t.byteClass[b] = b | TrailSlot(b) << 24;
    }
    for (unsigned b = 0; b < 256; ++b) {
        const int index = LeadIndex(static_cast<uint8_t>(b));
        if (index < 0)
            continue;
        const size_t row = 256 + static_cast<size_t>(index) * kTrailSlots;
        t.byteClass[b] = static_cast<uint32_t>(row) | 0xFFu << 16 | TrailSlot(b) << 24;
        t.utf8[row] = t.utf8[b];
        for (unsigned c = 0x40; c <= 0xFC; ++c) {
            if (!IsTrailByte(c))
                continue;
            char32_t& code = t.pair[static_cast<size_t>(index) * 256 + c];
            const char bytes[2] = {static_cast<char>(b), static_cast<char>(c)};
            if (decoder.isOpen())
                code = DecodeOne(decoder, bytes, 2);
            t.utf8[row + TrailSlot(c)] = EncodeUtf8(code);
        }
    }
    return t;
}

const DecodeTable& Table()
{
    static const DecodeTable table = BuildDecodeTable();
    return table;
}

// Decodes s[from..chunkEnd) (a pair may take one byte beyond, up to n) into
// dst, which has room for three bytes per input byte consumed and one more.
// Answers the next input position; dst is advanced past the output.
//
// Runs of eight ASCII bytes are copied whole. Other bytes are stepped through
// without branching on their values (binary data would make every such branch
// a guess): each position's form is written, and kept only when the position
// starts a character.
size_t DecodeChunk(const DecodeTable& t, const uint8_t* s, size_t from, size_t chunkEnd, size_t n,
                   char*& dst)
{
    const Utf8Form* forms = t.utf8.data();
    size_t i = from;
    char* d = dst;
    unsigned second = 0;  // s[i] is the trail byte of the pair before it
    while (i < chunkEnd) {
        uint64_t word;
        if (!second && t.bAsciiIdentity && chunkEnd - i >= 8
            && (std::memcpy(&word, s + i, 8), (word & kHighBits) == 0)) {
            std::memcpy(d, s + i, 8);
            i += 8;
            d += 8;
            continue;
        }
        uint32_t cls = t.byteClass[s[i]];
        for (const size_t stop = std::min(chunkEnd, i + 8); i < stop; ++i) {
            const uint32_t nextCls = t.byteClass[i + 1 < n ? s[i + 1] : 0];
            const unsigned slot = (nextCls >> 24) & (cls >> 16);
            const Utf8Form form = forms[(cls & 0xFFFF) + slot];
            cls = nextCls;
            std::memcpy(d, &form, sizeof form);
            // All ones unless s[i] is the trail byte of the pair before it.
            const size_t keep = static_cast<size_t>(second) - 1;
            d += form.length & keep;
            second = (slot != 0) & ~second;
        }
    }
    dst = d;
    return i + second;
}

} // namespace

CharKind ClassifyPosition(const uint8_t* s, size_t n, size_t k)
{
    if (k == 0 || k >= n || s[k] < 0x40)
        return CharKind::Single;
    // The byte after any non-lead byte starts a character, whatever came
    // before it; so only the run of lead bytes in front of k matters.
    size_t run = 0;
    while (run < k && IsLeadByte(s[k - 1 - run]))
        ++run;
    if (run % 2 == 1)
        return CharKind::Trail;
    return IsLeadByte(s[k]) ? CharKind::Lead : CharKind::Single;
}

uint16_t JisToSjis(uint16_t jis)
{
    const unsigned j1 = jis >> 8;
    const unsigned j2 = jis & 0xFF;
    const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    unsigned s2;
    if (j1 & 1)
        s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
    else
        s2 = j2 + 0x7E;
    return static_cast<uint16_t>(((s1 & 0xFF) << 8) | (s2 & 0xFF));
}

uint16_t SjisToJis(uint16_t sjis)
{
    const unsigned s1 = sjis >> 8;
    const unsigned s2 = sjis & 0xFF;
    const unsigned row = s1 - (s1 <= 0x9F ? 0x70 : 0xB0); // pair of JIS rows
    unsigned j1, j2;
    if (s2 >= 0x9F) {
        j1 = row * 2;
        j2 = s2 - 0x7E;
    } else {
        j1 = row * 2 - 1;
        j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    }
    return static_cast<uint16_t>(((j1 & 0xFF) << 8) | (j2 & 0xFF));
}


size_t WriteUtf8(const uint8_t* s, size_t n, uint8_t* out)
{
    char* d = reinterpret_cast<char*>(out);
    DecodeChunk(Table(), s, 0, n, n, d);
    return static_cast<size_t>(d - reinterpret_cast<char*>(out));
}

void AppendUtf8(std::string& out, const uint8_t* s, size_t n)
{
    // Worked in chunks so the scratch room (three output bytes per input
    // byte) stays small and cache-resident whatever the input size.
    constexpr size_t kChunk = 16384;
    const DecodeTable& t = Table();
    size_t i = 0;
    while (i < n) {
        const size_t chunkEnd = std::min(n, i + kChunk);
        const size_t start = out.size();
        out.resize(start + 3 * (chunkEnd - i + 1));
        char* d = out.data() + start;
        i = DecodeChunk(t, s, i, chunkEnd, n, d);
        out.resize(static_cast<size_t>(d - out.data()));
    }
}

std::string ToUtf8(std::string_view cp932Bytes)
{
    std::string out;
    out.reserve(cp932Bytes.size());
    AppendUtf8(out, reinterpret_cast<const uint8_t*>(cp932Bytes.data()), cp932Bytes.size());
    return out;
}

char32_t ToUnicode(uint8_t lead, int trail)
{
    const DecodeTable& t = Table();
    if (trail < 0)
        return t.single[lead];
    const int index = LeadIndex(lead);
    if (index < 0 || trail > 0xFF || !IsTrailByte(static_cast<unsigned>(trail)))
        return kReplacement;
    return t.pair[static_cast<size_t>(index) * 256 + static_cast<size_t>(trail)];
}

} // namespace cp932
