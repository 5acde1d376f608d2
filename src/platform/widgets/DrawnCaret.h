// The caret a pane draws itself on its viewport: a cell-high bar, wide in
// overwrite mode, inverted over the text; shown or hidden by the pane's
// model, blinking at the platform's rate while the pane has the focus. The
// pane says where it stands (its rectangle) and when it moved.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QRect>

#include <functional>

class QAbstractScrollArea;
class QPainter;

class CDrawnCaret : public QObject
{
public:
    static constexpr int kOverwriteWidth = 8;
    static constexpr int kInsertWidth = 2;
    // The caret's width in the current edit mode.
    static int width();

    // rect: where the pane draws the caret now, in viewport coordinates.
    CDrawnCaret(QAbstractScrollArea& pane, std::function<QRect()> rect);

    bool shown() const { return m_bShown; }
    // Repaints where the caret stands: before it moves, after a focus change.
    void invalidate();
    // It moved (or was made again): repainted, blinking anew, the input
    // method told where it stands.
    void placed();
    // Its shape may change with the edit mode: the widest caret's cells go too.
    void reshaped();
    // True when the shown state changed.
    bool show(bool shown);
    void restartBlink();
    void focusOut();
    // Inverts the caret's cells, inside `clip`, when it is to be seen.
    void draw(QPainter& painter, const QRect& clip) const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QAbstractScrollArea& m_pane;
    std::function<QRect()> m_rect;
    bool m_bShown = true;
    bool m_bBlinkOn = true;
    QBasicTimer m_blinkTimer;
};
