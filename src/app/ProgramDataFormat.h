// The bytes of the program data file. The current layout has 32-bit fields
// and a 360-byte header followed by the histories and six sections; the older
// one, still read, has 16-bit fields, a 306-byte header and no sections.
#pragma once

#include "app/ProgramData.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr size_t kDataFileLimit = 30720; // a file this large or larger is refused
inline constexpr size_t kDataHeaderSize = 360;
inline constexpr size_t kOldDataHeaderSize = 306;

// The file's fields laid over `defaults`, or nullopt when the bytes fit
// neither layout (a single bad count or string refuses the whole file).
std::optional<ProgramData> ParseProgramData(std::string_view bytes, const ProgramData& defaults);

// The current layout of `data`. Lists beyond what the file holds are cut,
// history entries too long for it left out. Nullopt when the image would
// reach the size limit, which no reader would take.
std::optional<std::string> BuildProgramData(const ProgramData& data);
