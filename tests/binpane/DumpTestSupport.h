// Helpers shared by the dump text tests: settings for a layout, and the texts
// of a layout over bytes held in a string.
#pragma once

#include "app/Settings.h"
#include "binpane/DumpLayout.h"
#include "binpane/MemoryDumpSource.h"

#include <string>

namespace dumptest {

inline CSettings Settings(int bytesPerLine, int code = 1, bool hexAddress = true, int block = 8)
{
    CSettings s;
    s.BytesPerLine = bytesPerLine;
    s.StrCodeType = code;
    s.HexAddress = hexAddress ? 1 : 0;
    (hexAddress ? s.HexBlockBytes : s.DecimalBlockBytes) = block;
    return s;
}

// A source and a layout over the bytes of `data`.
struct Dump
{
    Dump(const std::string& data, const CSettings& s)
        : source(reinterpret_cast<const uint8_t*>(data.data()), static_cast<uint32_t>(data.size())),
          layout(source, s)
    {
    }

    std::string part(int part, uint32_t line)
    {
        uint8_t out[CDumpLayout::kPartBufferSize];
        const int n = layout.formatLinePart(part, line, out);
        return std::string(reinterpret_cast<const char*>(out), static_cast<size_t>(n));
    }

    std::string line(uint32_t line)
    {
        uint8_t out[CDumpLayout::kLineBufferSize];
        const int n = layout.formatDumpLine(line, out);
        return std::string(reinterpret_cast<const char*>(out), static_cast<size_t>(n));
    }

    // The whole file as a screen copy makes it.
    std::string screenCopy()
    {
        uint8_t out[CDumpLayout::kLineBufferSize];
        std::string text(reinterpret_cast<const char*>(out),
                         static_cast<size_t>(layout.formatHeadingLine(out, false)));
        text.append(reinterpret_cast<const char*>(out),
                    static_cast<size_t>(layout.formatRuleLine(out)));
        for (uint32_t i = 0; i < layout.lineCount(); ++i)
            text += line(i);
        return text;
    }

    CMemoryDumpSource source;
    CDumpLayout layout;
};

} // namespace dumptest
