// The line ruler left of the text pane: a scale of the pane's display rows
// with the caret's row highlighted and the document's marked lines flagged.
// It scrolls with the pane, and a click or drag on it selects whole lines.
#pragma once

#include "textpane/RulerScale.h"

#include <QBasicTimer>
#include <QFont>
#include <QWidget>

#include <cstdint>
#include <utility>

class CLumoEV;

class CLineBar : public QWidget
{
    Q_OBJECT

public:
    CLineBar(CLumoEV* pane, QWidget* parent);

    // The width the view gives the ruler: 8 mm and one pixel.
    static int ThicknessFor(int dpiX);

    // Repaints the old and the new cursor cell only.
    void setCursorLine(uint32_t line);
    uint32_t cursorLine() const { return m_nCursorLine; }
    // The pane scrolled by this many rows: the pixels move with it.
    void scrollRows(int rows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int top() const; // where the scale starts: the pane's top margin
    QRect rowCell(uint32_t line) const;
    uint32_t rowAt(int y) const;
    // Selects from the anchor line to row, whole lines; the pane follows.
    void selectTo(uint32_t row);

    CLumoEV* m_pPane;
    ruler::Ticks m_ticks;
    QFont m_labelFont;
    uint32_t m_nCursorLine = 0;
    bool m_bDragging = false;
    uint32_t m_nAnchorLine = 0;
    // The selection this ruler made last, to tell it from one made in the pane.
    std::pair<uint32_t, uint32_t> m_lastSelection{0, 0};
    QBasicTimer m_dragTimer; // timer 2: 50 ms while dragging
};
