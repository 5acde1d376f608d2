#include "binpane/CompareFiles.h"

#include <algorithm>
#include <array>

namespace {

// Reading can stop once one file has ended and the other holds the lines up
// to that end and the byte after them: the rest of it is never compared.
bool ReadFarEnough(std::array<CStreamDumpSource, 2>& files, uint64_t b)
{
    if (!files[0].atEnd() && !files[1].atEnd())
        return false;
    uint64_t m = UINT64_MAX;
    for (const CStreamDumpSource& f : files) {
        if (f.atEnd())
            m = std::min(m, f.size());
    }
    const uint64_t needed = (m + b - 1) / b * b + 1;
    return std::all_of(files.begin(), files.end(),
                       [&](const CStreamDumpSource& f) { return f.atEnd() || f.size() >= needed; });
}

// The file that is behind, so that neither runs ahead of the comparison by
// more than a chunk: the bytes not yet compared are always still held.
int Behind(const std::array<CStreamDumpSource, 2>& files)
{
    if (files[0].atEnd() || files[1].atEnd())
        return files[0].atEnd() ? 1 : 0;
    return files[1].size() < files[0].size() ? 1 : 0;
}

} // namespace

CompareFilesOutcome CompareFiles(int first, int second, const CSettings& settings, CDumpLayout::LineCode lineCode,
                                 CCompareSink& sink, size_t chunk)
{
    std::array<CStreamDumpSource, 2> files { CStreamDumpSource(first, chunk), CStreamDumpSource(second, chunk) };
    CCompareReport report(files[0], files[1], settings, sink, lineCode);
    const auto b = static_cast<uint64_t>(report.bytesPerLine());
    CompareFilesOutcome outcome;
    while (!ReadFarEnough(files, b)) {
        const int side = Behind(files);
        if (!files[static_cast<size_t>(side)].readMore()) {
            outcome.result = CompareFilesResult::ReadFailed;
            outcome.failedInput = side;
            return outcome;
        }
        report.sourcesGrew();
        // Whole lines with the byte after them are held by both.
        const uint64_t held = std::min(files[0].size(), files[1].size());
        if (held > 0 && !report.compareWholeLines((held - 1) / b)) {
            outcome.result = CompareFilesResult::WriteFailed;
            return outcome;
        }
    }
    if (!report.finish())
        outcome.result = CompareFilesResult::WriteFailed;
    outcome.differingLines = report.differingLines();
    outcome.sameSize = files[0].atEnd() && files[1].atEnd() && files[0].size() == files[1].size();
    return outcome;
}
