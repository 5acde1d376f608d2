#include "textpane/TextCharClass.h"

#include <cctype>

TextCharClass CharClassOf(uint8_t b)
{
    if (b < 0x80 && std::isalnum(b))
        return TextCharClass::Alphanumeric;
    if (b >= 0xA6 && b <= 0xDF)
        return TextCharClass::HalfWidthKana;
    return TextCharClass::Separator;
}

TextCharClass CharClassOf(uint8_t lead, uint8_t trail)
{
    const unsigned code = unsigned{lead} << 8 | trail;
    if (lead == 13)
        return TextCharClass::Separator;
    if (code >= 0x829F && code <= 0x82F1)
        return TextCharClass::Hiragana;
    if ((code >= 0x8340 && code <= 0x8396) || code == 0x815B) // with the prolonged-sound mark
        return TextCharClass::Katakana;
    // Row 0x81 (punctuation, the full-width space), the box-drawing rows and
    // the extra symbol row break words like punctuation does.
    if (lead == 0x81 || (lead == 0x84 && trail >= 0x9F) || lead == 0x87)
        return TextCharClass::Separator;
    return TextCharClass::Kanji;
}
