#include "platform/widgets/CColourButton.h"

#include "platform/widgets/ColorRef.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

CColourButton::CColourButton(uint32_t colorRef, CustomColours& customColours, QWidget* parent)
    : QAbstractButton(parent)
    , m_nColorRef(colorRef)
    , m_customColours(customColours)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &CColourButton::choose);
}

QSize CColourButton::sizeHint() const
{
    const int height = fontMetrics().height() + 10;
    return {height * 2, height};
}

void CColourButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    painter.fillRect(swatch, ColorFromRef(m_nColorRef));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void CColourButton::choose()
{
    for (int i = 0; i < static_cast<int>(m_customColours.size()); ++i)
        QColorDialog::setCustomColor(i, ColorFromRef(m_customColours[i]));
    // Qt's own dialog: a platform one may keep custom colours of its own.
    const QColor chosen = QColorDialog::getColor(ColorFromRef(m_nColorRef), this, QString(),
                                                 QColorDialog::DontUseNativeDialog);
    for (int i = 0; i < static_cast<int>(m_customColours.size()); ++i)
        m_customColours[i] = RefFromColor(QColorDialog::customColor(i));
    if (!chosen.isValid())
        return;
    m_nColorRef = RefFromColor(chosen);
    update();
}
