#include "platform/widgets/DrawnCaret.h"

#include "app/Settings.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <QStyleHints>
#include <QTimerEvent>

int CDrawnCaret::width()
{
    return g_bOverwrite ? kOverwriteWidth : kInsertWidth;
}

CDrawnCaret::CDrawnCaret(QAbstractScrollArea& pane, std::function<QRect()> rect)
    : QObject(&pane)
    , m_pane(pane)
    , m_rect(std::move(rect))
{
}

void CDrawnCaret::invalidate()
{
    m_pane.viewport()->update(m_rect());
}

void CDrawnCaret::placed()
{
    invalidate();
    restartBlink();
    if (g_settings.SpotConversionIME)
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void CDrawnCaret::reshaped()
{
    m_pane.viewport()->update(m_rect().adjusted(-kOverwriteWidth, 0, kOverwriteWidth, 0));
    restartBlink();
}

bool CDrawnCaret::show(bool shown)
{
    if (shown == m_bShown)
        return false;
    m_bShown = shown;
    invalidate();
    return true;
}

void CDrawnCaret::restartBlink()
{
    m_bBlinkOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0 && m_pane.hasFocus())
        m_blinkTimer.start(flash / 2, this);
    else
        m_blinkTimer.stop();
}

void CDrawnCaret::focusOut()
{
    m_blinkTimer.stop();
    invalidate();
}

void CDrawnCaret::draw(QPainter& painter, const QRect& clip) const
{
    if (!m_bShown || !m_bBlinkOn || !m_pane.hasFocus())
        return;
    painter.save();
    painter.setClipRect(clip);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(m_rect(), Qt::black);
    painter.restore();
}

void CDrawnCaret::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_blinkTimer.timerId())
        return QObject::timerEvent(event);
    m_bBlinkOn = !m_bBlinkOn;
    invalidate();
}
