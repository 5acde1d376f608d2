#include "frame/PrintLayout.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

std::optional<PrintGeometry> ComputePrintGeometry(const PageLayout& layout, const PrintDevice& device,
                                                  const PrintFontMetrics& font, bool binary,
                                                  int maxLineWidth)
{
    PrintGeometry g;
    g.marginLeft = TenthsMmToPixels(layout.marginLeft, device.dpiX);
    g.marginRight = TenthsMmToPixels(layout.marginRight, device.dpiX);
    g.marginTop = TenthsMmToPixels(layout.marginTop, device.dpiY);
    g.marginBottom = TenthsMmToPixels(layout.marginBottom, device.dpiY);
    const int64_t width = int64_t{device.pageWidth} - g.marginLeft - g.marginRight;
    const int64_t height = int64_t{device.pageHeight} - g.marginTop - g.marginBottom;
    if (width < 1 || height < 1)
        return std::nullopt;
    g.charPitch = font.averageCharWidth + TenthsMmToPixels(layout.charSpacing, device.dpiX);
    g.linePitch = font.charHeight + TenthsMmToPixels(layout.lineSpacing, device.dpiY);
    // A negative spacing may eat the whole cell: such a grid has no room.
    if (g.charPitch < 1 || g.linePitch < 1)
        return std::nullopt;
    g.lineNumberColumns = (6 * font.averageCharWidth + g.charPitch - 1) / g.charPitch;
    int64_t chars = width / g.charPitch;
    int64_t lines = height / g.linePitch;
    if (binary) {
        lines -= 2; // the heading row and the empty row under it
    } else {
        if (layout.printLineNumbers)
            chars -= g.lineNumberColumns;
        chars = std::min<int64_t>(chars, maxLineWidth);
    }
    if (chars < 2 || lines < 1)
        return std::nullopt;
    g.charsPerLine = static_cast<int>(chars);
    g.linesPerPage = static_cast<int>(lines);
    return g;
}

uint32_t PrintPageCount(uint32_t lines, int linesPerPage)
{
    if (linesPerPage < 1)
        return 0;
    const auto per = static_cast<uint32_t>(linesPerPage);
    return lines / per + (lines % per != 0 ? 1 : 0);
}

std::optional<DumpLineRange> BinaryPageLines(uint32_t page, int linesPerPage, uint32_t lineCount,
                                             std::optional<DumpLineRange> selection)
{
    if (linesPerPage < 1 || lineCount == 0)
        return std::nullopt;
    const uint64_t start = selection ? selection->first : 0;
    const uint64_t last = std::min<uint64_t>(selection ? selection->last : lineCount - 1, lineCount - 1);
    const uint64_t first = start + uint64_t{page} * static_cast<uint64_t>(linesPerPage);
    if (first > last)
        return std::nullopt;
    const uint64_t pageLast = std::min<uint64_t>(first + static_cast<uint64_t>(linesPerPage) - 1, last);
    return DumpLineRange{static_cast<uint32_t>(first), static_cast<uint32_t>(pageLast)};
}

PrintStamp PrintStampOf(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char date[32] = {};
    char time[32] = {};
    std::strftime(date, sizeof date, "%y/%m/%d", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {date, time};
}

std::string ExpandPageTemplate(std::string_view pageTemplate, int page, int firstPageNumber,
                               std::string_view title, const PrintStamp& stamp)
{
    struct Code
    {
        char lower;
        std::string value;
    };
    const std::array<Code, 4> codes{{{'p', std::to_string(int64_t{page} + firstPageNumber - 1)},
                                     {'f', std::string(title)},
                                     {'d', stamp.date},
                                     {'t', stamp.time}}};
    // Each code is looked for in the template itself, so that a title
    // holding "&d" keeps it. "&" is never the second byte of a double-byte
    // character, so a plain search finds only real codes.
    struct Replacement
    {
        size_t at;
        const std::string* value;
    };
    std::vector<Replacement> replacements;
    for (const Code& code : codes) {
        const char lower[] = {'&', code.lower};
        const char upper[] = {'&', static_cast<char>(code.lower - 'a' + 'A')};
        size_t at = pageTemplate.find(std::string_view(lower, 2));
        if (at == std::string_view::npos)
            at = pageTemplate.find(std::string_view(upper, 2));
        if (at != std::string_view::npos)
            replacements.push_back({at, &code.value});
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.at < b.at; });
    std::string text;
    size_t from = 0;
    for (const Replacement& r : replacements) {
        text.append(pageTemplate.substr(from, r.at - from));
        text += *r.value;
        from = r.at + 2;
    }
    text.append(pageTemplate.substr(from));
    return text;
}

PrintRect HeaderRect(const PrintRect& page, const PrintGeometry& geometry, int charHeight)
{
    return {page.left + geometry.marginLeft, page.top, page.right - geometry.marginRight,
            page.top + charHeight + charHeight / 4};
}

PrintRect FooterRect(const PrintRect& page, const PrintGeometry& geometry, int charHeight)
{
    return {page.left + geometry.marginLeft, page.bottom - charHeight / 4 - charHeight,
            page.right - geometry.marginRight, page.bottom};
}

std::string PrintLineNumber(uint32_t firstLineNumber, uint32_t logicalLine)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.5u", firstLineNumber + logicalLine);
    return text;
}

int SpacingItemOf(int32_t tenthsMm)
{
    if (tenthsMm < 0 || tenthsMm % 5 != 0 || tenthsMm / 5 >= kSpacingItems)
        return -1;
    return tenthsMm / 5;
}
