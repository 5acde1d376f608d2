// The hex pane: shows a binary document as a dump of address, hex and
// character columns on a grid of equal cells, with both scroll bars, a caret
// it draws itself and the selection. Keys, mouse and commands go to the
// pane's model (caret, editing, clipboard, marks), which asks back through
// the host interface this widget implements.
#pragma once

#include "binpane/BinaryPaneHost.h"
#include "binpane/CBinaryPaneModel.h"
#include "binpane/DumpGeometry.h"
#include "binpane/DumpScroll.h"
#include "platform/widgets/DrawnCaret.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>

#include <cstdint>
#include <memory>

class CLumoDoc;
class CCellTextOut;
class CDumpLayout;

class CLumoBV : public QAbstractScrollArea, private CBinaryPaneHost
{
    Q_OBJECT

public:
    CLumoBV(CLumoDoc* doc, const QFont& font, QWidget* parent = nullptr);
    ~CLumoBV() override;

    CLumoDoc* document() const { return m_pDoc; }
    CBinaryPaneModel& model() { return m_model; }
    const CBinaryPaneModel& model() const { return m_model; }

    // Font, spacing or bytes-per-line changed, or new content (hint 128):
    // recompute the geometry and both scroll ranges, drop the selection.
    void relayout(const QFont& font);
    void relayout();

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
    // Where the caret is drawn (a cell rectangle), for tests and the input method.
    QRect caretRect() const;
    bool caretShown() const { return m_caret.shown(); }

    uint32_t caretOffset() const { return m_model.m_nCaret; }
    int focusPart() const { return m_model.m_nFocusPart; }

signals:
    // The three status panes: offset in hexadecimal, in decimal, the byte value.
    void statusTextsChanged(const QString& hexOffset, const QString& offset, const QString& byteValue);
    // Selection, edit mode, undo state or content changed: command states follow.
    void editStateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // CBinaryPaneHost
    PaneView paneView() const override;
    void invalidateLines(uint32_t first, uint32_t last) override;
    void invalidateAll() override;
    void dataSizeChanged() override;
    void scrollTo(uint32_t topLine, int scrollColumn) override;
    void recreateCaret() override;
    void placeCaret(uint32_t line, int column) override;
    void showCaret(bool show) override;
    void setStatusTexts(const char* hexOffset, const char* decimalOffset, const char* byteValue) override;
    void putClipboardText(const uint8_t* cp932, size_t n) override;
    bool clipboardText(std::string& cp932) override;

    void computeGeometry();
    void updateScrollRanges();
    void onVerticalAction(int action);
    void onHorizontalAction(int action);
    void typeText(const QString& text);

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
    void drawCaret(QPainter& painter);

    int cellX(int column) const { return m_nLeftMarginPx + (column - m_nScrollColumn) * m_nCharWidth; }
    int lineTop(uint32_t line) const
    {
        return (static_cast<int>(line) - static_cast<int>(m_nTopLine)) * m_nLineHeight + m_nFirstLineY;
    }
    bool caretMarksEnabled() const;

    CLumoDoc* m_pDoc;
    CBinaryPaneModel m_model;
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

    // The caret the pane draws: its cell, and the caret itself.
    uint32_t m_nCaretLine = 0;
    int m_nCaretColumn = 0;
    CDrawnCaret m_caret { *this, [this] { return caretRect(); } };
    QBasicTimer m_dragTimer; // timer 1: 50 ms while the left button drags
};
