// The jump dialog's text: an offset in decimal, or in hexadecimal after "0x".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The last text the jump dialog accepted; its edit field starts with it.
extern std::string g_strJumpText;

inline constexpr size_t kJumpTextMaxChars = 10;
inline constexpr size_t kJumpFieldLimit = 20; // characters the edit field takes

// The value of a jump text: 1 to 10 characters, either "0x" or "0X" and at
// least one hexadecimal digit, or decimal digits only. None for anything else.
std::optional<uint64_t> parseJumpText(std::string_view text);

// OK of the dialog: for an acceptable text, remembers it in g_strJumpText and
// answers the offset to go to, at most dataSize. None: the dialog beeps,
// selects its text and stays open.
[[nodiscard]] std::optional<uint32_t> acceptJumpText(std::string_view text, uint32_t dataSize);
