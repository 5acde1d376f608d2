#include "textpane/widgets/RulerPaint.h"

#include "app/Settings.h"
#include "platform/widgets/ColorRef.h"
#include "textpane/RulerScale.h"

#include <QFontMetrics>

QColor RulerColour(int paletteIndex)
{
    return ColorFromRef(ruler::PaletteColour(paletteIndex));
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
