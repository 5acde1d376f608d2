// A tag: a line of a text document that names a file and a line in it, as
// compilers and the program's own reports write them ("C:\dir\f.c(12)" or,
// on this platform, "/dir/f.c(12)"), possibly followed by more text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The longest line that can be a tag.
constexpr size_t kMaxTagLine = 270;

struct CTagTarget
{
    std::string name; // the file name's bytes as the document holds them (code page 932)
    uint32_t line = 0; // from 1
    bool operator==(const CTagTarget&) const = default;
};

// The file and line a logical line (without its CR LF) names, when it has the
// tag form: 7 to 270 bytes; a drive path (":" second, "\" third) or an
// absolute path ("/" first); the name is the 5 to 260 bytes before the
// first "(" that holds 1 to 5 digits and ")", the number 1 or more.
[[nodiscard]] std::optional<CTagTarget> ParseTagLine(const uint8_t* line, size_t n);
