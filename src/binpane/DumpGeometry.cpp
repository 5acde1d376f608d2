#include "binpane/DumpGeometry.h"

#include "app/Settings.h"

namespace {

int InRangeOr(int value, int fallback)
{
    const bool ok = value >= CDumpGeometry::kMinBytesPerLine
        && value <= CDumpGeometry::kMaxBytesPerLine;
    return ok ? value : fallback;
}

} // namespace

CDumpGeometry::CDumpGeometry(int bytesPerLine, int blockBytes)
    : B(InRangeOr(bytesPerLine, 16)), K(InRangeOr(blockBytes, 8)),
      C(3 * B + 11 + (B - 1) / K)
{
}

CDumpGeometry CDumpGeometry::FromSettings(const CSettings& s)
{
    const int block = s.HexAddress ? InRangeOr(s.HexBlockBytes, 8)
                                   : InRangeOr(s.DecimalBlockBytes, 5);
    return CDumpGeometry(s.BytesPerLine, block);
}
