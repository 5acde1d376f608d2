#include "doc/widgets/ViewFont.h"

#include "platform/Cp932.h"

#include <QFontDatabase>

#include <cstring>

namespace {

// The fonts the program's presets and old defaults name, and what stands in
// for them. Proportional presets keep proportional fonts; everything that
// should sit on the cell grid gets IPAGothic or IPAMincho, whose full-width
// glyphs are exactly twice the half-width advance at every size.
struct FaceSubstitution { const char* stored; const char* installed; };
const FaceSubstitution g_substitutions[] = {
    { "Fixedsys", "IPAGothic" },
    { "ＭＳ ゴシック", "IPAGothic" },
    { "ＭＳ 明朝", "IPAMincho" },
    { "標準ゴシック", "IPAGothic" },
    { "標準明朝", "IPAMincho" },
    { "ＭＳ Ｐゴシック", "IPAPGothic" },
    { "ＭＳ Ｐ明朝", "IPAPMincho" },
    { "Arial", "IPAPGothic" },
    { "Terminal", "IPAGothic" },
    { "Courier", "IPAGothic" },
    { "Courier New", "IPAGothic" },
};

} // namespace

QString SubstituteFaceName(const char* faceCp932)
{
    const size_t length = strnlen(faceCp932, sizeof(LogFontRecord::lfFaceName));
    const QString face = QString::fromStdString(cp932::ToUtf8(std::string_view(faceCp932, length)));
    for (const FaceSubstitution& s : g_substitutions)
        if (face == QString::fromUtf8(s.stored))
            return QString::fromUtf8(s.installed);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        return face;
    return QStringLiteral("IPAGothic");
}

QFont MakeViewFont(const LogFontRecord& record, int dpiY)
{
    QFont font(SubstituteFaceName(record.lfFaceName));
    // height = -(points x pixels per inch / 72); the grid likes whole pixels.
    const int points = record.lfHeight < 0 ? -record.lfHeight : record.lfHeight;
    font.setPixelSize(std::max(1, points * dpiY / 72));
    font.setWeight(record.lfWeight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    font.setStyleHint(QFont::TypeWriter, QFont::NoFontMerging);
    font.setKerning(false);
    return font;
}
