// One print job: the page grid worked out on the printer, then each page
// painted with its header, its body and its footer. The body of a binary
// document is its dump lines under the heading row (the same text as on
// screen), that of a text document its lines cut to the page, with line
// numbers when the layout asks; every character sits in its own cell. It
// paints on any paged device: a printer, a preview, a PDF file.
#pragma once

#include "app/ProgramData.h"
#include "app/Settings.h"
#include "frame/PrintLayout.h"
#include "platform/StringTable.h"
#include "textpane/TextPrintLines.h"

#include <QFont>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CDumpSource;
class CLumoDoc;
class QPaintDevice;
class QPainter;

class CPrintJob
{
public:
    // What a job is printed for: the page, the title for "&f" and the time
    // taken at its start.
    struct Page
    {
        const PageLayout& layout;
        const QPaintDevice& device;
        std::string title; // code page 932
        PrintStamp stamp;
    };

    // The bytes of source as the settings lay them out; selection: the dump
    // lines of the selection, when only they print. Nothing, with the
    // message to show in `refusal`, when the page cannot hold the grid.
    static std::optional<CPrintJob> ForDump(CDumpSource& source, const CSettings& settings, const Page& page,
                                            std::optional<DumpLineRange> selection, StringId& refusal);
    // The text of doc from `from` (the start of a display line) to `to`, cut
    // as the pane's layout cuts it but no wider than the page. Nothing when
    // the page cannot hold the grid or the text has too many lines.
    static std::optional<CPrintJob> ForText(CLumoDoc& doc, const CTextLayout& layout, const Page& page,
                                            uint32_t from, uint32_t to, StringId& refusal);

    uint32_t pageCount() const { return m_nPages; }
    const PrintGeometry& geometry() const { return m_geometry; }

    // Page index from 0: header, body, footer.
    void printPage(QPainter& painter, uint32_t page);

private:
    CPrintJob(const Page& page);
    [[nodiscard]] bool layOut(const Page& page, bool binary, int maxLineWidth);

    void printDumpBody(QPainter& painter, uint32_t page);
    void printTextBody(QPainter& painter, uint32_t page);
    void printBand(QPainter& painter, const PrintRect& band, const std::string& pageTemplate,
                   int position, uint32_t page);
    // Cells of code page 932 text on a grid row; cell k stands at column(k).
    // The text to draw for one character, or null for a blank.
    const QString* glyphOf(const uint8_t* cp932, int n);
    template <typename Column>
    void drawCells(QPainter& painter, const uint8_t* text, int cells, int row, Column column);

    PageLayout m_layout;
    std::string m_title;
    PrintStamp m_stamp;
    PrintGeometry m_geometry;
    PrintRect m_page;
    QFont m_font;     // the print font, its advance stretched to the pitch
    QFont m_bandFont; // of the header and footer
    int m_nAscent = 0;
    int m_nBandHeight = 0;
    uint32_t m_nPages = 0;
    std::unordered_map<uint16_t, QString> m_glyphs; // empty: drawn blank

    // A binary document.
    CDumpSource* m_pSource = nullptr;
    CSettings m_settings;
    uint32_t m_nLines = 0;
    std::optional<DumpLineRange> m_selection;

    // A text document.
    CLumoDoc* m_pDoc = nullptr;
    std::optional<CTextWrap> m_wrap;
    std::vector<TextPrintLine> m_textLines;
    uint32_t m_nTextEnd = 0;
};
