#include "textpane/widgets/RulerPaint.h"

#include "app/Settings.h"
#include "textpane/RulerScale.h"

#include <QFontMetrics>

QColor RulerColour(int paletteIndex)
{
    const uint32_t c = ruler::PaletteColour(paletteIndex);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QFont RulerLabelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(7);
    font.setWeight(QFont::Normal);
    return font;
}

int RulerLabelShift(const QFont& font, int shift)
{
    const QFontMetrics metrics(font);
    return g_settings.RulerFontFlag == 0
                   && metrics.horizontalAdvance(QStringLiteral("50")) > 2 * metrics.averageCharWidth()
               ? shift
               : 0;
}
