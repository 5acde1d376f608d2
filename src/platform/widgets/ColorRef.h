// Colours as the program's files hold them (0x00BBGGRR) and as Qt draws them.
#pragma once

#include <QColor>

#include <cstdint>

inline QColor ColorFromRef(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

inline uint32_t RefFromColor(const QColor& color)
{
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8
        | static_cast<uint32_t>(color.blue()) << 16;
}
