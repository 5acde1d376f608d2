// The page-layout dialog: margins, header and footer with their templates
// and places, line and character spacing, the first page and line numbers,
// line numbers on or off, and the print font. It opens with a layout and
// answers, after OK, that layout with its values. OK refuses, with the
// focus on the field, a number out of its range (the range message), a
// template longer than 80 bytes and a spacing with no item chosen (a beep).
#pragma once

#include "app/ProgramData.h"

#include <QDialog>

#include <array>

class CRangeSpinBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

class CPageLayoutDialog : public QDialog
{
    Q_OBJECT

public:
    CPageLayoutDialog(QWidget* parent, const PageLayout& layout);

    const PageLayout& values() const { return m_values; }
    void accept() override;

private:
    struct Band
    {
        QLineEdit* pageTemplate = nullptr;
        QButtonGroup* on = nullptr;       // ids 1 on, 0 off
        QButtonGroup* position = nullptr; // ids 0 left, 1 centre, 2 right
    };

    QGroupBox* marginBox();
    QGroupBox* bandBox(bool header);
    QComboBox* spacingBox(int32_t value);
    CRangeSpinBox* numberBox(int value, int highest);
    void chooseFont();

    PageLayout m_values;
    std::array<CRangeSpinBox*, 4> m_margins{}; // top, bottom, left, right
    std::array<Band, 2> m_bands;               // header, footer
    QComboBox* m_pLineSpacing = nullptr;
    QComboBox* m_pCharSpacing = nullptr;
    CRangeSpinBox* m_pFirstPage = nullptr;
    CRangeSpinBox* m_pFirstLine = nullptr;
    QCheckBox* m_pLineNumbers = nullptr;
};
