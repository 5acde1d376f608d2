// The recently used template files of format by template: 30 names at most,
// newest first, each of at most 260 characters (code page 932 bytes, as a
// path of the system could hold).
#pragma once

#include "binpane/FindHistory.h"

#include <string_view>

inline constexpr size_t kMaxTemplateHistory = 30;
inline constexpr size_t kMaxTemplateNameChars = 260;

extern CFindHistory g_templateHistory;

// What OK of the template dialog does with the name typed: an empty name gets
// the refusal beep, a longer one than a path can be the bad-path message; both
// answer false and the dialog stays. Otherwise the name goes to the front of
// `history` and the answer is true.
[[nodiscard]] bool AcceptTemplateName(std::string_view name, CFindHistory& history = g_templateHistory);
