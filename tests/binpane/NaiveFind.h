// The find of the hex pane written out plainly: every start position compared
// byte by byte, a counter of positions deciding when to ask whether to stop.
// The reference the fast search is checked against.
#pragma once

#include "binpane/BytePattern.h"
#include "binpane/ByteSearch.h"

#include <cctype>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace naive {

using Bytes = std::vector<uint8_t>;

inline bool sameByte(uint8_t a, uint8_t b, bool matchCase)
{
    auto lower = [&](uint8_t c) { return !matchCase && c >= 'A' && c <= 'Z' ? c | 0x20 : c; };
    return lower(a) == lower(b);
}

inline bool matchesAt(const Bytes& data, const BytePattern& p, bool matchCase, int64_t q)
{
    matchCase = matchCase || p.source == PatternSource::HexPart;
    if (q < 0 || q + int64_t{p.size()} > int64_t(data.size()))
        return false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (!p.anyByte[i] && !sameByte(data[size_t(q) + i], p.bytes[i], matchCase))
            return false;
    }
    return true;
}

// abort: null for no checks; otherwise asked as the counter says.
inline std::optional<uint32_t> scan(const Bytes& data, const BytePattern& p, bool matchCase,
                                    int64_t from, int64_t to, bool first,
                                    const std::function<bool()>* abort)
{
    std::optional<uint32_t> remembered;
    int counter = 2001;
    for (int64_t q = from; q < to; ++q, ++counter) {
        if (abort && counter == 2001) {
            if ((*abort)())
                return remembered;
            counter = 0;
        }
        if (matchesAt(data, p, matchCase, q)) {
            remembered = uint32_t(q);
            if (first)
                return remembered;
        }
    }
    return remembered;
}

inline std::optional<uint32_t> find(const Bytes& data, const BytePattern& p, const FindRequest& r,
                                    const std::function<bool()>& abort)
{
    const int64_t S = int64_t(data.size()), n = p.size();
    if (n == 0 || n > S)
        return std::nullopt;
    int64_t s;
    if (r.selection && r.start == FindStart::Wrap) {
        s = r.selStart;
        const int64_t selLength = int64_t(r.selEnd) - r.selStart + 1;
        if (r.down && selLength == n && n <= 80 && matchesAt(data, p, r.matchCase, r.selStart))
            s = int64_t(r.selEnd) + 1;
    } else {
        s = r.start == FindStart::FromTop ? 0 : r.caret;
    }
    if (!r.down && s + n - 1 >= S)
        s = S - n;
    const int64_t e = S - n;
    const std::function<bool()>* check = r.start != FindStart::Wrap && abort ? &abort : nullptr;
    if (r.down) {
        auto hit = scan(data, p, r.matchCase, s, e + 1, true, check);
        if (!hit && s != 0 && r.start == FindStart::Wrap)
            hit = scan(data, p, r.matchCase, 0, s, true, nullptr);
        return hit;
    }
    auto hit = scan(data, p, r.matchCase, 0, s, false, check);
    if (!hit && s != e + 1)
        hit = scan(data, p, r.matchCase, s, e + 1, false, check);
    return hit;
}

} // namespace naive
