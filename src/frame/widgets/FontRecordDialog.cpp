#include "frame/widgets/FontRecordDialog.h"

#include "doc/widgets/ViewFont.h"
#include "platform/Cp932.h"
#include "app/Settings.h"

#include <QFontDialog>

std::optional<LogFontRecord> ChooseFontRecord(QWidget* parent, const LogFontRecord& current, int dpiY)
{
    QFontDialog dialog(MakeViewFont(current, dpiY), parent);
    dialog.setOption(QFontDialog::MonospacedFonts);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    const int points = chosen.pointSize() > 0 ? chosen.pointSize() : chosen.pixelSize() * 72 / std::max(dpiY, 1);
    bool capped = false;
    const std::string face = cp932::FromUtf8(chosen.family().toStdString());
    const LogFontRecord font = ChosenFontRecord(current, face.c_str(), points, chosen.bold(), chosen.italic(),
                                                dpiY, capped);
    if (capped)
        BeepRefusal();
    return font;
}
