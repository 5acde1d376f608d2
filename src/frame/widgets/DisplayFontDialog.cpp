#include "frame/widgets/DisplayFontDialog.h"

#include "app/Settings.h"
#include "doc/CabinetSettings.h"
#include "doc/widgets/ViewFont.h"
#include "platform/Cp932.h"

#include <QFontDialog>

bool ChooseDisplayFont(QWidget* parent, int dpiY)
{
    QFontDialog dialog(MakeViewFont(g_cabinet.font, dpiY), parent);
    dialog.setOption(QFontDialog::MonospacedFonts);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    const int points = chosen.pointSize() > 0 ? chosen.pointSize() : chosen.pixelSize() * 72 / std::max(dpiY, 1);
    bool capped = false;
    const std::string face = cp932::FromUtf8(chosen.family().toStdString());
    const LogFontRecord font = ChosenFontRecord(g_cabinet.font, face.c_str(), points, chosen.bold(),
                                                chosen.italic(), dpiY, capped);
    if (capped)
        BeepRefusal();
    if (font == g_cabinet.font)
        return false;
    g_cabinet.font = font;
    return true;
}
