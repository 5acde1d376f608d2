// Dump text of any bytes in every code and layout: no read outside the data,
// every part fits its buffer, and a plain-text line is as long as it says.
#include "app/Settings.h"
#include "binpane/DumpLayout.h"
#include "binpane/MemoryDumpSource.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    CSettings settings;
    settings.BytesPerLine = 5 + data[0] % 60;
    settings.HexBlockBytes = 5 + data[1] % 60;
    settings.StrCodeType = 1 + data[2] % 4;
    settings.HexAddress = data[2] & 0x10 ? 0 : 1;
    settings.Ignore8bitCode = data[2] & 0x20 ? 1 : 0;
    const std::vector<uint8_t> bytes(data + 3, data + size);
    CMemoryDumpSource source(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CDumpLayout layout(source, settings);
    uint8_t part[CDumpLayout::kPartBufferSize];
    uint8_t line[CDumpLayout::kLineBufferSize];
    for (uint32_t l = 0; l < layout.lineCount(); ++l) {
        for (int p = 1; p <= 3; ++p)
            if (layout.formatLinePart(p, l, part) > CDumpLayout::kPartBufferSize)
                std::abort();
        const int n = layout.formatDumpLine(l, line);
        if (n < 2 || n > CDumpLayout::kLineBufferSize || line[n - 2] != '\r' || line[n - 1] != '\n')
            std::abort();
    }
    return 0;
}
