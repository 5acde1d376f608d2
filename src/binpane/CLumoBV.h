// The hex pane: shows a binary document as a dump of address, hex and
// character columns on a grid of equal cells, with both scroll bars.
#pragma once

#include "binpane/DumpGeometry.h"
#include "binpane/DumpScroll.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <cstdint>
#include <memory>

class CLumoDoc;
class CCellTextOut;
class CDumpLayout;

class CLumoBV : public QAbstractScrollArea
{
    Q_OBJECT

public:
    CLumoBV(CLumoDoc* doc, const QFont& font, QWidget* parent = nullptr);
    ~CLumoBV() override;

    CLumoDoc* document() const { return m_pDoc; }

    // Font, spacing or bytes-per-line changed, or new content (hint 128):
    // recompute the geometry and both scroll ranges, drop the selection.
    void relayout(const QFont& font);
    void relayout();

    // Repaints the whole lines that hold offsets first .. last.
    void invalidateByteRange(uint32_t first, uint32_t last);

    uint32_t lineCount() const;
    uint32_t lastVisibleOffset() const;

    // Geometry, in pixels and cells.
    int charWidth() const { return m_nCharWidth; }
    int lineHeight() const { return m_nLineHeight; }
    int leftMarginPx() const { return m_nLeftMarginPx; }
    int firstLineY() const { return m_nFirstLineY; }
    uint32_t topLine() const { return m_nTopLine; }
    int scrollColumn() const { return m_nScrollColumn; }
    int visibleLines() const { return m_nVisibleLines; }
    int visibleColumns() const { return m_nVisibleColumns; }
    const DumpScroll& verticalScroll() const { return m_scroll; }
    int horizontalMaximum() const { return m_nHorzMaximum; }

    // Caret and selection state shown by the painter.
    uint32_t caretOffset() const { return m_nCaret; }
    int focusPart() const { return m_nFocusPart; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void computeGeometry();
    void updateScrollRanges();
    void onVerticalAction(int action);
    void onHorizontalAction(int action);

    void paintHeadingLine(QPainter& painter, CDumpLayout& layout);
    void paintByteRange(uint32_t first, uint32_t last, QPainter& painter, CDumpLayout& layout);
    void paintLinePart(int part, uint32_t line, QPainter& painter, CDumpLayout& layout);
    void paintSpecialBytes(uint32_t line, QPainter& painter, const CDumpGeometry& g,
                           const uint8_t* hexText, int cells);
    bool isBinMark(uint32_t offset) const;
    void drawPartText(QPainter& painter, int part, const CDumpGeometry& g, const uint8_t* text,
                      int cells, int top, int extraCells, const QColor& fg, const QColor& bg);
    void invertSelection(QPainter& painter);
    void drawCaretMarks(uint32_t line, QPainter& painter, bool draw);

    int cellX(int column) const { return m_nLeftMarginPx + (column - m_nScrollColumn) * m_nCharWidth; }
    int lineTop(uint32_t line) const
    {
        return (static_cast<int>(line) - static_cast<int>(m_nTopLine)) * m_nLineHeight + m_nFirstLineY;
    }
    bool caretMarksEnabled() const;

    CLumoDoc* m_pDoc;
    QFont m_font;
    std::unique_ptr<CCellTextOut> m_pTextOut;
    int m_nFontHeight = 0;

    int m_nCharWidth = 1;
    int m_nLineHeight = 1;
    int m_nLeftMarginPx = 0;
    int m_nTopMarginPx = 0;
    int m_nFirstLineY = 0;
    uint32_t m_nTopLine = 0;
    int m_nScrollColumn = 0;
    int m_nVisibleLines = 0;
    int m_nVisibleColumns = 0;
    DumpScroll m_scroll;
    int m_nHorzMaximum = 0;

    uint32_t m_nCaret = 0;
    int m_nFocusPart = 2;
    bool m_bSelection = false;
    uint32_t m_nSelStart = 0;
    uint32_t m_nSelEnd = 0;
};
