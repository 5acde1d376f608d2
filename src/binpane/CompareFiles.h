// The compare report of two files read front to back in chunks, in constant
// memory whatever their sizes: what `vexel --compare` writes.
#pragma once

#include "binpane/CompareReport.h"
#include "binpane/StreamDumpSource.h"

#include <cstddef>
#include <cstdint>

enum class CompareFilesResult { Done, ReadFailed, WriteFailed };

struct CompareFilesOutcome
{
    CompareFilesResult result = CompareFilesResult::Done;
    int failedInput = 0;          // ReadFailed: 0 the first file, 1 the second
    uint64_t differingLines = 0;
    // Both files were read to their end and have the same size. A file is
    // read only as far as the shorter one reaches (and a line beyond it).
    bool sameSize = false;
};

// Reads both descriptors, which stay the caller's, and writes the report to
// `sink` (`first` plays the current document). On ReadFailed errno tells why.
[[nodiscard]] CompareFilesOutcome CompareFiles(int first, int second, const CSettings& settings,
                                               CDumpLayout::LineCode lineCode, CCompareSink& sink,
                                               size_t chunk = CStreamDumpSource::kDefaultChunk);
