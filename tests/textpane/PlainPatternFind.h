// What the pattern matcher answers for a literal pattern, written out as a
// walk over whole candidates: each unit start of the region, in order, is
// compared unit by unit; running into the region's end ends the search; a
// backward search keeps the last match of the chain in which each attempt
// starts where the previous match ended.
#pragma once

#include "platform/Cp932.h"
#include "textpane/PatternMatcher.h"
#include "textpane/UnitFold.h"

#include <optional>
#include <string_view>

namespace plainpattern {

inline bool sameUnit(const uint8_t* text, uint32_t textLength, const uint8_t* unit,
                     uint32_t length, bool matchCase, bool distinguishWidth)
{
    const uint16_t t = unitfold::Key(text, textLength, matchCase, distinguishWidth);
    const uint16_t p = unitfold::Key(unit, length, matchCase, distinguishWidth);
    return length == 1 ? (t >> 8) == (p >> 8) : t == p;
}

inline std::optional<PatternMatch> find(const uint8_t* text, uint32_t regionStart, uint32_t regionEnd,
                                        std::string_view pattern, bool firstMatch, bool matchCase,
                                        bool distinguishWidth)
{
    pattern = pattern.substr(0, pattern.find('\0')); // a C string
    const auto* pat = reinterpret_cast<const uint8_t*>(pattern.data());
    const auto n = static_cast<uint32_t>(pattern.size());
    if (n == 0 || n > kMaxPatternBytes)
        return std::nullopt;
    const auto unitAt = [&](uint32_t p) {
        return cp932::IsLeadByte(text[p]) && p + 1 < regionEnd ? 2u : 1u;
    };
    std::optional<PatternMatch> result;
    for (uint32_t c = regionStart; c < regionEnd;) {
        uint32_t p = c;
        bool matched = true;
        for (uint32_t i = 0; i < n && matched;) {
            if (p >= regionEnd)
                return result;
            const uint32_t length = cp932::IsLeadByte(pat[i]) && i + 1 < n ? 2 : 1;
            const bool loneLead = cp932::IsLeadByte(text[p]) && p + 1 == regionEnd;
            matched = !loneLead && sameUnit(text + p, unitAt(p), pat + i, length, matchCase, distinguishWidth);
            p += unitAt(p);
            i += length;
        }
        if (!matched) {
            c += unitAt(c);
            continue;
        }
        result = PatternMatch{c, p - c};
        if (firstMatch)
            return result;
        c = p;
    }
    return result;
}

} // namespace plainpattern
