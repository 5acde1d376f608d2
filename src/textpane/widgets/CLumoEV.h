// The text pane: shows a text document on a grid of equal cells, each
// character unit pinned to the columns the line model gives it, coloured by
// runs, with both scroll bars, a caret it draws itself and the stream
// selection drawn inverted. Keys, mouse and copy go to the caret model, which
// asks back through the host interface this widget implements. The pane
// never changes the text.
#pragma once

#include "textpane/CTextCaretModel.h"
#include "textpane/TextPaneHost.h"
#include "platform/widgets/DrawnCaret.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>

#include <cstdint>
#include <memory>
#include <vector>

class CLumoDoc;
class CCellTextOut;

class CLumoEV : public QAbstractScrollArea, private CTextPaneHost
{
    Q_OBJECT

public:
    CLumoEV(CLumoDoc* doc, const QFont& font, QWidget* parent = nullptr);
    ~CLumoEV() override;

    CLumoDoc* document() const { return m_pDoc; }
    CTextCaretModel& model() { return m_model; }
    const CTextCaretModel& model() const { return m_model; }

    // Text loaded (hint 16): the table is built and the caret goes to the start.
    void textLoaded();
    // Hints 48 to 50 and 129: output to append, and a change of the bytes.
    void appendOutput(int hint, const void* object);
    void followChange(const DocChange& change);
    // Layout values or font changed (hint 32, rewrap), or another pane of the
    // document lost the focus (hint 35): metrics again, the caret back on its offset.
    void relayout(const QFont& font, bool rewrap);

    // Geometry, in pixels, lines and columns.
    int charWidth() const { return m_nCharWidth; }
    int lineHeight() const { return m_nLineHeight; }
    int leftMarginPx() const { return m_nLeftMarginPx; }
    int topMarginPx() const { return m_nTopMarginPx; }
    uint32_t topLine() const { return m_nTopLine; }
    uint32_t scrollColumn() const { return m_nScrollColumn; }
    int visibleRows() const { return m_nVisibleRows; }
    // Where the caret is drawn, for tests and the input method.
    QRect caretRect() const;
    bool caretShown() const { return m_caret.shown(); }
    bool autoScrollTimerActive() const { return m_autoScrollTimer.isActive(); }

signals:
    // The line pane, the column pane and the pane of the column's further digits.
    void statusTextsChanged(const QString& line, const QString& column, const QString& columnHigh);
    // Selection or edit mode changed: command states follow.
    void editStateChanged();
    // The pane lost the focus: the other panes of its document put their carets back.
    void focusLost();
    // The rulers follow the caret's cell and the scroll position.
    void caretPlaced(uint32_t column, uint32_t line);
    void scrolled(int columns, int lines);
    // A tag line was double-clicked: whoever hosts the pane opens path at line (from 1).
    void tagJumpRequested(const QString& path, int line);
    // The right button went down at globalPos: whoever hosts the pane shows
    // the shortcut menu, whose commands go where menu commands go.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // CTextPaneHost
    TextPaneView paneView() const override;
    void scrollTo(uint32_t topLine, uint32_t scrollColumn) override;
    void invalidateLines(uint32_t first, uint32_t last) override;
    void invalidateAll() override;
    void recreateCaret() override;
    void placeCaret(uint32_t column, uint32_t line) override;
    void showCaret(bool show) override;
    void setStatusTexts(const char* line, const char* column, const char* columnHigh) override;
    void putClipboardText(const uint8_t* cp932, size_t n) override;
    bool clipboardText(std::string& cp932) override;
    void openTag(const CTagTarget& tag) override;
    void startAutoScrollTimer(int ms) override;
    void stopAutoScrollTimer() override;

    void computeGeometry();
    void updateScrollRanges();
    void paintLines(QPainter& painter, uint32_t first, uint32_t last);
    void drawCaret(QPainter& painter);
    // A selection is shown by inverting its pixels on one line.
    void invertPixels(QPainter& painter, int left, int right, int y);

    int cellX(uint32_t column) const
    {
        return m_nLeftMarginPx + (static_cast<int>(column) - static_cast<int>(m_nScrollColumn)) * m_nCharWidth;
    }
    int lineTop(uint32_t line) const
    {
        return (static_cast<int>(line) - static_cast<int>(m_nTopLine)) * m_nLineHeight + m_nTopMarginPx;
    }

    CLumoDoc* m_pDoc;
    CTextCaretModel m_model;
    QFont m_font;
    std::unique_ptr<CCellTextOut> m_pTextOut;
    int m_nFontHeight = 0;

    int m_nCharWidth = 1;
    int m_nLineHeight = 1;
    int m_nLeftMarginPx = 0;
    int m_nTopMarginPx = 0;
    uint32_t m_nTopLine = 0;
    uint32_t m_nScrollColumn = 0;
    int m_nVisibleRows = 0;
    int m_nVisibleCols = 0;

    // The caret the pane draws: its cell, and the caret itself.
    uint32_t m_nCaretCol = 0;
    uint32_t m_nCaretLine = 0;
    CDrawnCaret m_caret { *this, [this] { return caretRect(); } };
    QBasicTimer m_dragTimer; // timer 1: 50 ms while the left button drags
    QBasicTimer m_autoScrollTimer; // timer 3

    // Scratch of a paint: the colours of the bytes drawn, and a run's cells.
    std::vector<uint32_t> m_colours;
    std::vector<int> m_x;
};
