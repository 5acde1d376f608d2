// Whole-file reads and atomic whole-file writes: a write goes to a new file
// beside the target and is renamed over it, so a reader sees the old or the
// new content, never a mixture, and a failed write leaves the old file intact.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole content, or nullopt when the file cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Creates the folder when missing; otherwise as CAtomicFileWriter: a link is
// written through, an existing file keeps its permissions, a read-only one is refused.
[[nodiscard]] bool WriteFileAtomic(const std::string& path, std::string_view bytes);
