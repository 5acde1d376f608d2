#include "frame/widgets/CPrintJob.h"

#include "binpane/DumpLayout.h"
#include "binpane/DumpSource.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/ViewFont.h"
#include "platform/Cp932.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

// The header and footer use preset 1 at 9 points.
constexpr const char* kBandFace = "ＭＳ ゴシック";
constexpr int kBandPoints = 9;

QString TextOf(const uint8_t* cp932, size_t n)
{
    return QString::fromStdString(cp932::ToUtf8(std::string_view(reinterpret_cast<const char*>(cp932), n)));
}

} // namespace

CPrintJob::CPrintJob(const Page& page)
    : m_layout(page.layout)
    , m_title(page.title)
    , m_stamp(page.stamp)
{
}

bool CPrintJob::layOut(const Page& page, bool binary, int maxLineWidth)
{
    const QPaintDevice& device = page.device;
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    m_font = MakeViewFont(m_layout.font, dpiY);
    const QFontMetricsF metrics(m_font, &device);
    const PrintFontMetrics font{static_cast<int>(metrics.averageCharWidth()), static_cast<int>(metrics.height())};
    const std::optional<PrintGeometry> geometry =
        ComputePrintGeometry(m_layout, {dpiX, dpiY, device.width(), device.height()}, font, binary, maxLineWidth);
    if (!geometry)
        return false;
    m_geometry = *geometry;
    // Each single-width character advances exactly one pitch, so a run of
    // them lands on the grid; a double-width one is drawn at its own cell.
    m_font.setLetterSpacing(QFont::AbsoluteSpacing, geometry->charPitch - metrics.horizontalAdvance(QChar('0')));
    m_nAscent = static_cast<int>(metrics.ascent());
    LogFontRecord band{};
    std::snprintf(band.lfFaceName, sizeof band.lfFaceName, "%s", cp932::FromUtf8(kBandFace).c_str());
    band.lfHeight = kBandPoints;
    m_bandFont = MakeViewFont(band, dpiY);
    m_nBandHeight = static_cast<int>(QFontMetricsF(m_bandFont, &device).height());
    m_page = {0, 0, device.width(), device.height()};
    return true;
}

std::optional<CPrintJob> CPrintJob::ForDump(CDumpSource& source, const CSettings& settings, const Page& page,
                                            std::optional<DumpLineRange> selection, StringId& refusal)
{
    CPrintJob job(page);
    if (!job.layOut(page, true, 0)) {
        refusal = StringId::IdsPrintPageTooSmall;
        return std::nullopt;
    }
    job.m_pSource = &source;
    job.m_settings = settings;
    CDumpLayout dump(source, settings);
    job.m_nLines = static_cast<uint32_t>(std::min<uint64_t>(dump.lineCount(), UINT32_MAX));
    uint32_t lines = job.m_nLines;
    if (selection && job.m_nLines) {
        selection->last = std::min(selection->last, job.m_nLines - 1);
        lines = selection->first <= selection->last ? selection->last - selection->first + 1 : 0;
        job.m_selection = selection;
    }
    job.m_nPages = PrintPageCount(lines, job.m_geometry.linesPerPage);
    return job;
}

std::optional<CPrintJob> CPrintJob::ForText(CLumoDoc& doc, const CTextLayout& layout, const Page& page,
                                            uint32_t from, uint32_t to, StringId& refusal)
{
    CPrintJob job(page);
    if (!job.layOut(page, false, static_cast<int>(CTextWrap(layout).MaxColumns()))) {
        refusal = StringId::IdsPrintPageTooSmall;
        return std::nullopt;
    }
    job.m_pDoc = &doc;
    job.m_wrap.emplace(PrintTextLayout(layout, job.m_geometry.charsPerLine));
    std::optional<std::vector<TextPrintLine>> lines = BuildTextPrintLines(doc, from, to, *job.m_wrap, g_nMaxRows);
    if (!lines) {
        refusal = StringId::IdsPrintTooManyLines;
        return std::nullopt;
    }
    job.m_textLines = std::move(*lines);
    job.m_nTextEnd = std::min(to, doc.DataSize());
    job.m_nPages = PrintPageCount(static_cast<uint32_t>(job.m_textLines.size()), job.m_geometry.linesPerPage);
    return job;
}

void CPrintJob::printPage(QPainter& painter, uint32_t page)
{
    painter.save();
    painter.setPen(Qt::black);
    if (m_layout.headerOn)
        printBand(painter, HeaderRect(m_page, m_geometry, m_nBandHeight), m_layout.headerTemplate,
                  m_layout.headerPosition, page);
    painter.save();
    painter.setFont(m_font);
    // One clip for the body: nothing is drawn into the margins.
    painter.setClipRect(QRect(QPoint(m_geometry.marginLeft, m_geometry.marginTop),
                              QPoint(m_page.right - m_geometry.marginRight - 1,
                                     m_page.bottom - m_geometry.marginBottom - 1)));
    if (m_pSource)
        printDumpBody(painter, page);
    else
        printTextBody(painter, page);
    painter.restore();
    if (m_layout.footerOn)
        printBand(painter, FooterRect(m_page, m_geometry, m_nBandHeight), m_layout.footerTemplate,
                  m_layout.footerPosition, page);
    painter.restore();
}

void CPrintJob::printDumpBody(QPainter& painter, uint32_t page)
{
    const std::optional<DumpLineRange> lines = BinaryPageLines(page, m_geometry.linesPerPage, m_nLines, m_selection);
    if (!lines)
        return;
    CDumpLayout dump(*m_pSource, m_settings);
    const CDumpGeometry& g = dump.geometry();
    uint8_t text[CDumpLayout::kPartBufferSize];
    for (int part = 1; part <= 3; ++part)
        drawCells(painter, text, dump.formatHeadingPart(part, text), 0,
                  [&](int k) { return g.textColumn(part, k); });
    int row = 2; // under the heading row and an empty one
    for (uint32_t line = lines->first; line <= lines->last; ++line, ++row) {
        for (int part = 1; part <= 3; ++part)
            drawCells(painter, text, dump.formatLinePart(part, line, text), row,
                      [&](int k) { return g.textColumn(part, k); });
    }
}

void CPrintJob::printTextBody(QPainter& painter, uint32_t page)
{
    const uint64_t first = uint64_t{page} * static_cast<uint64_t>(m_geometry.linesPerPage);
    const uint64_t last = std::min<uint64_t>(first + static_cast<uint64_t>(m_geometry.linesPerPage),
                                             m_textLines.size());
    const int textColumn = m_layout.printLineNumbers ? m_geometry.lineNumberColumns : 0;
    for (uint64_t i = first; i < last; ++i) {
        const TextPrintLine& line = m_textLines[i];
        const int row = static_cast<int>(i - first);
        if (m_layout.printLineNumbers && line.startsLogicalLine) {
            const std::string number = PrintLineNumber(m_layout.firstLineNumber, line.logicalLine);
            drawCells(painter, reinterpret_cast<const uint8_t*>(number.data()), static_cast<int>(number.size()), row,
                      [](int k) { return k; });
        }
        const uint32_t end = i + 1 < m_textLines.size() ? m_textLines[i + 1].start : m_nTextEnd;
        const std::string cells = TextPrintCells(m_pDoc->GetSpanPointer(line.start, end - line.start),
                                                 end - line.start, *m_wrap);
        drawCells(painter, reinterpret_cast<const uint8_t*>(cells.data()), static_cast<int>(cells.size()), row,
                  [textColumn](int k) { return textColumn + k; });
    }
}

void CPrintJob::printBand(QPainter& painter, const PrintRect& band, const std::string& pageTemplate, int position,
                          uint32_t page)
{
    if (band.empty())
        return;
    const std::string text =
        ExpandPageTemplate(pageTemplate, static_cast<int>(page) + 1, m_layout.firstPageNumber, m_title, m_stamp);
    const Qt::Alignment align = position == 1 ? Qt::AlignHCenter : position == 2 ? Qt::AlignRight : Qt::AlignLeft;
    painter.setFont(m_bandFont);
    painter.drawText(QRect(QPoint(band.left, band.top), QPoint(band.right - 1, band.bottom - 1)),
                     align | Qt::AlignVCenter | Qt::TextSingleLine,
                     TextOf(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// A code the code page leaves undefined, or the font has no glyph for,
// stays blank, as on screen. Answers are kept: a page asks thousands of times.
const QString* CPrintJob::glyphOf(const uint8_t* cp932, int n)
{
    const uint16_t code = n == 2 ? static_cast<uint16_t>(cp932[0] << 8 | cp932[1]) : cp932[0];
    auto [it, added] = m_glyphs.try_emplace(code);
    if (added) {
        const QString text = TextOf(cp932, static_cast<size_t>(n));
        if (text.size() == 1 && text[0] != QChar::ReplacementCharacter && QFontMetricsF(m_font).inFont(text[0]))
            it->second = text;
    }
    return it->second.isEmpty() ? nullptr : &it->second;
}

template <typename Column>
void CPrintJob::drawCells(QPainter& painter, const uint8_t* text, int cells, int row, Column column)
{
    if (cells <= 0)
        return;
    const int baseline = m_geometry.marginTop + row * m_geometry.linePitch + m_nAscent;
    const auto xOf = [&](int cell) { return m_geometry.marginLeft + cell * m_geometry.charPitch; };
    // Runs of single-width characters, blanks filling the gaps between their
    // cells, go out as one text each; a double-width character goes alone.
    QString run;
    int runColumn = -1;
    const auto flush = [&] {
        if (!run.isEmpty())
            painter.drawText(QPoint(xOf(runColumn), baseline), run);
        run.clear();
        runColumn = -1;
    };
    for (int k = 0; k < cells; ++k) {
        const int at = column(k);
        if (cp932::IsLeadByte(text[k]) && k + 1 < cells) {
            flush();
            if (const QString* pair = glyphOf(text + k, 2))
                painter.drawText(QPoint(xOf(at), baseline), *pair);
            ++k;
            continue;
        }
        if (runColumn < 0)
            runColumn = at;
        while (runColumn + run.size() < at)
            run += QLatin1Char(' ');
        const QString* one = glyphOf(text + k, 1);
        run += one ? *one : QString(QLatin1Char(' '));
    }
    flush();
}
