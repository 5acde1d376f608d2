// A number field with arrows, as the program's dialogs give their counts: the
// arrows stay inside the accepted range, while typing may leave it, so that
// the dialog can name the range when it checks the value on OK.
#pragma once

#include <QSpinBox>

class CRangeSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    CRangeSpinBox(int minimum, int maximum, QWidget* parent);

    bool inRange() const { return value() >= m_nLowest && value() <= m_nHighest; }
    // On OK: true in range; else the range message, and the field takes the
    // focus with its text selected.
    [[nodiscard]] bool checkRange();

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_nLowest;
    int m_nHighest;
};
