// The arithmetic of a print job, apart from any printer: the page grid that
// the page layout, the printer's resolution and the print font's metrics give,
// the dump lines each page holds, and the header and footer texts.
#pragma once

#include "app/ProgramData.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// What the printer tells of itself, in device pixels.
struct PrintDevice
{
    int dpiX = 0;
    int dpiY = 0;
    int pageWidth = 0;  // the drawable width
    int pageHeight = 0; // the drawable height
};

// Of the print font, in device pixels.
struct PrintFontMetrics
{
    int averageCharWidth = 0;
    int charHeight = 0;
};

// The page grid of one job. A character of column c on row r sits at
// (marginLeft + c * charPitch, marginTop + r * linePitch).
struct PrintGeometry
{
    int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
    int charPitch = 0;
    int linePitch = 0;
    int lineNumberColumns = 0; // cells of the line-number column of a text page
    int charsPerLine = 0;
    int linesPerPage = 0;      // data rows; a binary page has two more rows for its heading
};

struct PrintRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// 0.1 mm and points to device pixels, with integer division.
constexpr int TenthsMmToPixels(int tenths, int dpi)
{
    return static_cast<int>(int64_t{tenths} * dpi / 254);
}
constexpr int PointsToPixels(int points, int dpi)
{
    return static_cast<int>(int64_t{points} * dpi / 72);
}

// The grid, or nothing when the paper is too small for the margins (fewer
// than 2 characters a line or no line a page). A text page loses the
// line-number column when numbers are printed and is no wider than
// maxLineWidth; a binary page loses two rows to its heading.
std::optional<PrintGeometry> ComputePrintGeometry(const PageLayout& layout, const PrintDevice& device,
                                                  const PrintFontMetrics& font, bool binary,
                                                  int maxLineWidth);

// Pages for this many lines; 0 lines give 0 pages.
uint32_t PrintPageCount(uint32_t lines, int linesPerPage);

// The dump lines [first, last] of page index (from 0): of the whole dump, or
// from the selection's first line and no further than its last. Nothing when
// the page holds no line.
struct DumpLineRange
{
    uint32_t first = 0;
    uint32_t last = 0;
};
std::optional<DumpLineRange> BinaryPageLines(uint32_t page, int linesPerPage, uint32_t lineCount,
                                             std::optional<DumpLineRange> selection = std::nullopt);

// The date ("%y/%m/%d") and time ("%H:%M:%S") a job prints, taken at its start.
struct PrintStamp
{
    std::string date;
    std::string time;
};
PrintStamp PrintStampOf(std::time_t when);

// A header or footer template with its codes replaced: the first "&p", "&f",
// "&d" and "&t" (or, when a template has no lower-case one, the first
// upper-case one) become the page number (page from 1 plus the first page
// number less 1), the title, the date and the time. Only the template's own
// codes are replaced, never one that a title brings along.
std::string ExpandPageTemplate(std::string_view pageTemplate, int page, int firstPageNumber,
                               std::string_view title, const PrintStamp& stamp);

// Where the header and footer lines go on a page of the given drawing
// rectangle: between the left and right margins, at its top and its bottom.
PrintRect HeaderRect(const PrintRect& page, const PrintGeometry& geometry, int charHeight);
PrintRect FooterRect(const PrintRect& page, const PrintGeometry& geometry, int charHeight);

// The number a text page prints before a logical line's first printed line.
std::string PrintLineNumber(uint32_t firstLineNumber, uint32_t logicalLine);

// The page-layout dialog's rules. Spacings are offered in steps of 0.5 mm,
// "0" to "+3.5 mm": the item of a stored value in 0.1 mm, -1 when it is
// none of them; the value of an item.
inline constexpr int kSpacingItems = 8;
int SpacingItemOf(int32_t tenthsMm);
constexpr int32_t SpacingOfItem(int item)
{
    return item * 5;
}
inline constexpr int kMaxMarginMm = 1000;
inline constexpr int kMaxPrintNumber = 32767; // first page and first line number
inline constexpr size_t kMaxPageTemplateBytes = 80;
