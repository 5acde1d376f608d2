// A search or replacement pattern of the hex pane, made from the text the
// user typed: hexadecimal digits when the hex part has the focus, otherwise
// the text's own bytes (code page 932), read with escape sequences while
// EnRexp is on. Beside each byte stands a flag: set, the position matches any
// byte (the escape "\.").
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Where the text comes from: the part of the pane that has the focus.
enum class PatternSource { HexPart, CharPart };

struct BytePattern
{
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> anyByte; // 1: this position matches any byte; as long as bytes
    // Patterns of hex digits are compared with case whatever the request says.
    PatternSource source = PatternSource::CharPart;
    // A hex text that is not an even number of hexadecimal digits; the
    // pattern is empty and the caller beeps.
    bool refused = false;

    uint32_t size() const { return static_cast<uint32_t>(bytes.size()); }
    bool empty() const { return bytes.empty(); }
    bool hasAnyByte() const;
};

// The longest find or replace text the dialogs and the toolbar accept.
inline constexpr uint32_t kMaxPatternChars = 80;
// Longer texts are taken as they are even while escapes are on.
inline constexpr uint32_t kMaxEscapedChars = 256;

// An empty pattern means there is nothing to search for or to insert.
[[nodiscard]] BytePattern patternFromText(std::string_view text, PatternSource source, bool enRexp);
