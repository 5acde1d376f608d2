// Whole-file reads and atomic whole-file writes: a write goes to a new file
// beside the target and is renamed over it, so a reader sees the old or the
// new content, never a mixture, and a failed write leaves the old file intact
// (unless, as CAtomicFileWriter tells, the file can only be kept what it is by
// writing it in place).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// What reading a small file of settings found.
enum class SmallFileStatus {
    Read,       // content holds the whole file
    Missing,    // no such file
    NotRegular, // a FIFO, device, folder...: never opened for reading
    TooLarge,   // over the cap
    Failed,     // exists but could not be read
};
struct SmallFile
{
    SmallFileStatus status = SmallFileStatus::Missing;
    std::string content;
};

// Reads a regular file of at most maxBytes without ever blocking: the type is
// checked on a non-blocking descriptor before anything is read, and the size
// is checked while reading (a file may grow or lie about its size).
SmallFile ReadSmallFile(const std::string& path, size_t maxBytes);

// Creates the folder when missing; otherwise as CAtomicFileWriter: a link is
// written through, an existing file keeps its owner, group and mode, a
// read-only one is refused.
[[nodiscard]] bool WriteFileAtomic(const std::string& path, std::string_view bytes);
