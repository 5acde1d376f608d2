// One print job of a binary document: the page grid worked out on the
// printer, then each page painted with its header, its dump lines (the same
// text as on screen, every character in its own cell) and its footer. It
// paints on any paged device: a printer, a preview, a PDF file.
#pragma once

#include "app/ProgramData.h"
#include "app/Settings.h"
#include "frame/PrintLayout.h"

#include <QFont>

#include <optional>
#include <string>

class CDumpSource;
class QPaintDevice;
class QPainter;

class CDumpPrintJob
{
public:
    // The job for the bytes of source as the settings lay them out, or nothing
    // when the page cannot hold the grid (the caller tells the user).
    // selection: the dump lines of the selection, when only they print.
    static std::optional<CDumpPrintJob> Begin(CDumpSource& source, const CSettings& settings,
                                              const PageLayout& layout, const QPaintDevice& device,
                                              std::string title, PrintStamp stamp,
                                              std::optional<DumpLineRange> selection = std::nullopt);

    uint32_t pageCount() const { return m_nPages; }
    const PrintGeometry& geometry() const { return m_geometry; }

    // Page index from 0: header, the heading row and the page's dump lines, footer.
    void printPage(QPainter& painter, uint32_t page);

private:
    CDumpPrintJob(CDumpSource& source, const CSettings& settings, const PageLayout& layout);

    void printBand(QPainter& painter, const PrintRect& band, const std::string& pageTemplate,
                   int position, uint32_t page);
    // A part's text at its cells on the grid row.
    void drawPart(QPainter& painter, int part, const uint8_t* text, int cells, int row);

    CDumpSource& m_source;
    CSettings m_settings;
    PageLayout m_layout;
    std::string m_title;
    PrintStamp m_stamp;
    std::optional<DumpLineRange> m_selection;
    PrintGeometry m_geometry;
    PrintRect m_page;
    QFont m_font;       // the print font, its advance stretched to the pitch
    QFont m_bandFont;   // of the header and footer
    int m_nAscent = 0;
    int m_nBandHeight = 0;
    uint32_t m_nLines = 0;
    uint32_t m_nPages = 0;
};
