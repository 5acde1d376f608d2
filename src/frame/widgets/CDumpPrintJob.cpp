#include "frame/widgets/CDumpPrintJob.h"

#include "binpane/DumpLayout.h"
#include "binpane/DumpSource.h"
#include "doc/widgets/ViewFont.h"
#include "platform/Cp932.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cstring>

namespace {

// The header and footer use preset 1 at 9 points.
constexpr const char* kBandFace = "ＭＳ ゴシック";
constexpr int kBandPoints = 9;

QString TextOf(const uint8_t* cp932, int n)
{
    return QString::fromStdString(cp932::ToUtf8(std::string_view(reinterpret_cast<const char*>(cp932), n)));
}

} // namespace

CDumpPrintJob::CDumpPrintJob(CDumpSource& source, const CSettings& settings, const PageLayout& layout)
    : m_source(source)
    , m_settings(settings)
    , m_layout(layout)
{
}

std::optional<CDumpPrintJob> CDumpPrintJob::Begin(CDumpSource& source, const CSettings& settings,
                                                  const PageLayout& layout, const QPaintDevice& device,
                                                  std::string title, PrintStamp stamp,
                                                  std::optional<DumpLineRange> selection)
{
    CDumpPrintJob job(source, settings, layout);
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    job.m_font = MakeViewFont(layout.font, dpiY);
    const QFontMetricsF metrics(job.m_font, &device);
    const PrintFontMetrics font{static_cast<int>(metrics.averageCharWidth()), static_cast<int>(metrics.height())};
    const std::optional<PrintGeometry> geometry =
        ComputePrintGeometry(layout, {dpiX, dpiY, device.width(), device.height()}, font, true, 0);
    if (!geometry)
        return std::nullopt;
    job.m_geometry = *geometry;
    // Each single-width character advances exactly one pitch, so a run of
    // them lands on the grid; a double-width one is drawn at its own cell.
    job.m_font.setLetterSpacing(QFont::AbsoluteSpacing,
                                geometry->charPitch - QFontMetricsF(job.m_font, &device).horizontalAdvance(QChar('0')));
    job.m_nAscent = static_cast<int>(metrics.ascent());

    LogFontRecord band{};
    std::snprintf(band.lfFaceName, sizeof band.lfFaceName, "%s", cp932::FromUtf8(kBandFace).c_str());
    band.lfHeight = kBandPoints;
    job.m_bandFont = MakeViewFont(band, dpiY);
    job.m_nBandHeight = static_cast<int>(QFontMetricsF(job.m_bandFont, &device).height());

    job.m_page = {0, 0, device.width(), device.height()};
    job.m_title = std::move(title);
    job.m_stamp = std::move(stamp);
    CDumpLayout dump(source, settings);
    job.m_nLines = static_cast<uint32_t>(std::min<uint64_t>(dump.lineCount(), UINT32_MAX));
    if (selection) {
        selection->last = std::min(selection->last, job.m_nLines ? job.m_nLines - 1 : 0);
        job.m_selection = selection;
    }
    const uint32_t lines = !job.m_nLines ? 0
        : selection ? (selection->first <= selection->last ? selection->last - selection->first + 1 : 0)
                    : job.m_nLines;
    job.m_nPages = PrintPageCount(lines, geometry->linesPerPage);
    return job;
}

void CDumpPrintJob::printPage(QPainter& painter, uint32_t page)
{
    painter.save();
    painter.setPen(Qt::black);
    if (m_layout.headerOn)
        printBand(painter, HeaderRect(m_page, m_geometry, m_nBandHeight), m_layout.headerTemplate,
                  m_layout.headerPosition, page);
    if (const std::optional<DumpLineRange> lines =
            BinaryPageLines(page, m_geometry.linesPerPage, m_nLines, m_selection)) {
        painter.save();
        painter.setFont(m_font);
        // One clip for the body: nothing is drawn into the margins.
        painter.setClipRect(QRect(QPoint(m_geometry.marginLeft, m_geometry.marginTop),
                                  QPoint(m_page.right - m_geometry.marginRight - 1,
                                         m_page.bottom - m_geometry.marginBottom - 1)));
        CDumpLayout dump(m_source, m_settings);
        uint8_t text[CDumpLayout::kPartBufferSize];
        for (int part = 1; part <= 3; ++part)
            drawPart(painter, part, text, dump.formatHeadingPart(part, text), 0);
        int row = 2;
        for (uint32_t line = lines->first; line <= lines->last; ++line, ++row) {
            for (int part = 1; part <= 3; ++part)
                drawPart(painter, part, text, dump.formatLinePart(part, line, text), row);
        }
        painter.restore();
    }
    if (m_layout.footerOn)
        printBand(painter, FooterRect(m_page, m_geometry, m_nBandHeight), m_layout.footerTemplate,
                  m_layout.footerPosition, page);
    painter.restore();
}

void CDumpPrintJob::printBand(QPainter& painter, const PrintRect& band, const std::string& pageTemplate,
                              int position, uint32_t page)
{
    if (band.empty())
        return;
    const std::string text = ExpandPageTemplate(pageTemplate, static_cast<int>(page) + 1,
                                                m_layout.firstPageNumber, m_title, m_stamp);
    const Qt::Alignment align = position == 1 ? Qt::AlignHCenter : position == 2 ? Qt::AlignRight : Qt::AlignLeft;
    painter.setFont(m_bandFont);
    painter.drawText(QRect(QPoint(band.left, band.top), QPoint(band.right - 1, band.bottom - 1)),
                     align | Qt::AlignVCenter | Qt::TextSingleLine, TextOf(reinterpret_cast<const uint8_t*>(text.data()),
                                                                          static_cast<int>(text.size())));
}

void CDumpPrintJob::drawPart(QPainter& painter, int part, const uint8_t* text, int cells, int row)
{
    if (cells <= 0)
        return;
    const CDumpGeometry g = CDumpGeometry::FromSettings(m_settings);
    const int baseline = m_geometry.marginTop + row * m_geometry.linePitch + m_nAscent;
    const auto xOf = [&](int column) { return m_geometry.marginLeft + column * m_geometry.charPitch; };
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
        const int column = g.textColumn(part, k);
        if (part == 3 && cp932::IsLeadByte(text[k]) && k + 1 < cells) {
            flush();
            painter.drawText(QPoint(xOf(column), baseline), TextOf(text + k, 2));
            ++k;
            continue;
        }
        if (runColumn < 0)
            runColumn = column;
        while (runColumn + run.size() < column)
            run += QLatin1Char(' ');
        run += TextOf(text + k, 1);
    }
    flush();
}
