// The column ruler above the text pane: a scale of the pane's columns with
// the caret's column highlighted and the wrap column marked in red. Dragging
// the marker sets a new fold column for the document, which rewraps every
// text view of it.
#pragma once

#include "textpane/RulerScale.h"

#include <QFont>
#include <QWidget>

#include <cstdint>

class CLumoEV;

class CRulerBar : public QWidget
{
    Q_OBJECT

public:
    CRulerBar(CLumoEV* pane, QWidget* parent);

    // The height the view gives the ruler: 4 mm and one pixel.
    static int ThicknessFor(int dpiY);

    // Where the scale starts before the pane's left margin: the line
    // ruler's width while it is shown, else 0.
    void setScaleOffset(int px);
    // Repaints the old and the new cursor cell only.
    void setCursorColumn(uint32_t column);
    uint32_t cursorColumn() const { return m_nCursorColumn; }
    bool dragging() const { return m_bDragging; }
    // The grid the scale is drawn on now.
    ruler::ColumnGrid grid() const;
    uint32_t wrapColumn() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect cursorCell(uint32_t column) const;
    QRect dragLine() const;
    int labelBottom() const;

    CLumoEV* m_pPane;
    int m_nOffset = 0;
    ruler::Ticks m_ticks;
    QFont m_labelFont;
    uint32_t m_nCursorColumn = 0;
    bool m_bDragging = false;
    int m_nDragColumn = 0;
};
