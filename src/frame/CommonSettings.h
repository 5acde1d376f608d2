// What the common settings dialog needs of the settings besides its widgets:
// how a colouring byte is written in its field and read back, the range of
// the byte counts, and taking the edited values into the settings with a
// report of the changes the windows must follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct CSettings;

inline constexpr int kNoColouringByte = 256;
// Bytes per line and per block.
inline constexpr int kMinByteCount = 5;
inline constexpr int kMaxByteCount = 64;

// Lower-case hexadecimal without leading zeros; empty for none.
std::string ColouringByteText(int value);
// One or two hexadecimal digits in either case, or empty for none; anything else is refused.
[[nodiscard]] std::optional<int> ParseColouringByte(std::string_view text);

// The changes the windows follow at once; the other settings are read as they are drawn.
struct CommonSettingsChanges
{
    bool bytesPerLine = false;
    bool longTitle = false;
    bool displayTabBar = false;
    bool multiInstance = false;
};

// Copies every setting the dialog edits from `edited` into `target`, the
// colouring bytes in effect with them, and reports what changed.
[[nodiscard]] CommonSettingsChanges ApplyCommonSettings(const CSettings& edited, CSettings& target);
