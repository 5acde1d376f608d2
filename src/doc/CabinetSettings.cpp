#include "doc/CabinetSettings.h"

CCabinetSettings g_cabinet;

LogFontRecord CCabinetSettings::DefaultFont()
{
    LogFontRecord font;
    font.lfHeight = 14; // points, not pixels: the view scales it
    font.lfWeight = 400;
    font.lfCharSet = 128; // Shift-JIS
    font.lfOutPrecision = 1;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 0x31; // fixed pitch, modern
    const char face[] = "Fixedsys";
    static_assert(sizeof face <= sizeof font.lfFaceName);
    for (unsigned i = 0; i < sizeof face; ++i)
        font.lfFaceName[i] = face[i];
    return font;
}
