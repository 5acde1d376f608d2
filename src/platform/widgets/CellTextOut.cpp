#include "platform/widgets/CellTextOut.h"

#include "platform/Cp932.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

CCellTextOut::CCellTextOut(const QFont& font)
    : m_rawFont(QRawFont::fromFont(font))
    , m_nAscent(QFontMetrics(font).ascent())
{
    for (int b = 0; b < 256; ++b)
        m_singleGlyphs[b] = cp932::IsLeadByte(static_cast<uint8_t>(b))
            ? 0
            : glyphFor(cp932::ToUnicode(static_cast<uint8_t>(b)));
}

quint32 CCellTextOut::glyphFor(char32_t c)
{
    if (c == 0xFFFD || c < 0x20)
        return 0;
    QChar units[2];
    int count = 1;
    if (c > 0xFFFF) {
        units[0] = QChar::highSurrogate(c);
        units[1] = QChar::lowSurrogate(c);
        count = 2;
    } else {
        units[0] = QChar(static_cast<char16_t>(c));
    }
    quint32 glyphs[2] = { 0, 0 };
    int glyphCount = 2;
    if (!m_rawFont.glyphIndexesForChars(units, count, glyphs, &glyphCount) || glyphCount < 1)
        return 0;
    return glyphs[0];
}

void CCellTextOut::draw(QPainter& painter, const uint8_t* text, int count, const int* x, int top,
                        int lineHeight, int opaqueRight, const QColor& fg, const QColor& bg)
{
    if (count <= 0)
        return;
    if (bg.isValid())
        painter.fillRect(x[0], top, opaqueRight - x[0], lineHeight, bg);

    m_glyphs.clear();
    m_positions.clear();
    const qreal baseline = top + m_nAscent;
    for (int k = 0; k < count; ++k) {
        const uint8_t b = text[k];
        quint32 glyph;
        if (cp932::IsLeadByte(b) && k + 1 < count) {
            const uint16_t pair = static_cast<uint16_t>(b << 8 | text[k + 1]);
            auto it = m_pairGlyphs.find(pair);
            if (it == m_pairGlyphs.end())
                it = m_pairGlyphs.emplace(pair, glyphFor(cp932::ToUnicode(b, text[k + 1]))).first;
            glyph = it->second;
            m_positions.emplace_back(x[k], baseline);
            ++k;
        } else {
            glyph = m_singleGlyphs[b];
            m_positions.emplace_back(x[k], baseline);
        }
        if (glyph == 0 || b == ' ')
            m_positions.pop_back();
        else
            m_glyphs.push_back(glyph);
    }
    if (m_glyphs.empty())
        return;
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(QList<quint32>(m_glyphs.begin(), m_glyphs.end()));
    run.setPositions(QList<QPointF>(m_positions.begin(), m_positions.end()));
    painter.setPen(fg);
    painter.drawGlyphRun(QPointF(0, 0), run);
}
