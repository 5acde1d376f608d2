// A button that shows a colour as a filled swatch and lets the user choose
// another one in the colour dialog. The dialog's 16 custom colours are the
// caller's: copied in before it opens and back after it closes, so every
// colour button of the program shares them for the whole run.
#pragma once

#include <QAbstractButton>

#include <array>
#include <cstdint>

class CColourButton : public QAbstractButton
{
    Q_OBJECT

public:
    using CustomColours = std::array<uint32_t, 16>; // 0x00BBGGRR, as the data file holds them

    CColourButton(uint32_t colorRef, CustomColours& customColours, QWidget* parent);

    uint32_t colorRef() const { return m_nColorRef; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    uint32_t m_nColorRef;
    CustomColours& m_customColours;
};
