// Draws CP932 text with every character pinned to a given x, as a text-out
// with a per-cell advance array does: whatever the font's glyph widths, a
// character never leaves its cell. One glyph run per call.
#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QPainter;

class CCellTextOut
{
public:
    explicit CCellTextOut(const QFont& font);

    int ascent() const { return m_nAscent; }

    // text[k] is drawn at x[k]; a lead byte and its trail form one character
    // drawn at the lead's x. The background is filled from x[0] to
    // opaqueRight, lineHeight high from top (no fill when bg is invalid).
    void draw(QPainter& painter, const uint8_t* text, int count, const int* x, int top,
              int lineHeight, int opaqueRight, const QColor& fg, const QColor& bg);

private:
    quint32 glyphFor(char32_t c);

    QRawFont m_rawFont;
    int m_nAscent = 0;
    std::array<quint32, 256> m_singleGlyphs {};
    std::unordered_map<uint16_t, quint32> m_pairGlyphs;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_positions;
};
