// What both rulers draw alike: palette colours, the label font and the
// label shift the font choice asks for.
#pragma once

#include <QColor>
#include <QFont>

QColor RulerColour(int paletteIndex);
// Arial, 7 points, normal weight.
QFont RulerLabelFont();
// Labels move left by this much more when the labels' font is the program's
// own (RulerFontFlag 0) and it sets two digits wider than two average characters.
int RulerLabelShift(const QFont& font, int shift);
