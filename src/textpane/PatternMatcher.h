// The pattern matcher of the text find: a pattern of at most 80 bytes of
// code page 932 units, read either literally or as a small pattern language
// ("." any unit, classes in brackets with ranges and negation, "*" and "+"
// after a unit or class, "^" and "$" anchoring to a line, "\" making the next
// unit ordinary), is searched in a region of the text. Units compare with or
// without case, and a full-width character equals its half-width form unless
// widths are distinguished.
//
// Backtracking is deliberately shallow: after a failure only the last repeat
// is retried, and one search makes at most 10 matching calls in all, so a
// search never runs away on a hostile pattern.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct PatternMatch
{
    uint32_t position = 0;
    uint32_t length = 0;
    bool operator==(const PatternMatch&) const = default;
};

inline constexpr uint32_t kMaxPatternBytes = 80;

// The first match that starts in [regionStart, regionEnd) (firstMatch), or
// the last one (!firstMatch), of a pattern of 1..80 bytes; nothing for any
// other pattern, one that compiles to nothing, or one whose compilation does
// not hold together (then after an "ASSERT" box). Only bytes inside the
// region are read; regionStart must begin a unit. One search at a time: the
// compiled pattern lives in process-wide tables.
std::optional<PatternMatch> findPattern(const uint8_t* text, uint32_t regionStart,
                                        uint32_t regionEnd, std::string_view pattern,
                                        bool firstMatch, bool matchCase, bool regular,
                                        bool distinguishWidth);

// Whether findPattern skips start positions with its prefilter: on large
// regions only (Auto), or always or never, so that tests can hold the fast
// answers against those of the plain walk.
enum class PatternSkipping { Auto, Always, Never };
void SetPatternSkipping(PatternSkipping mode);
