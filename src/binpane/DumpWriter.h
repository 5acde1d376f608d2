// The text `vexel --dump` writes: the heading line, the rule line and every
// dump line of a file (CR LF endings), read in chunks so that a file of any
// size is dumped in constant memory.
#pragma once

#include "binpane/StreamDumpSource.h"

#include <cstdint>
#include <cstdio>

struct CSettings;

enum class DumpResult { Done, ReadFailed, WriteFailed };

struct DumpOutcome
{
    DumpResult result = DumpResult::Done;
    uint64_t bytes = 0;  // file bytes read
};

// Reads `fd` to its end and writes the dump of its bytes to `out`, as CP932
// text or converted to UTF-8. On failure errno tells why.
[[nodiscard]] DumpOutcome WriteFileDump(int fd, const CSettings& settings, bool utf8, std::FILE* out,
                                        size_t chunk = CStreamDumpSource::kDefaultChunk);
