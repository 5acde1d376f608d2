#include "platform/widgets/CRangeSpinBox.h"

#include <algorithm>

namespace {
// What typing may reach: four digits.
constexpr int kTypedMaximum = 9999;
} // namespace

CRangeSpinBox::CRangeSpinBox(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
    , m_nLowest(minimum)
    , m_nHighest(maximum)
{
    setRange(0, kTypedMaximum);
}

void CRangeSpinBox::stepBy(int steps)
{
    setValue(std::clamp(value() + steps, m_nLowest, m_nHighest));
    selectAll();
}

QAbstractSpinBox::StepEnabled CRangeSpinBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() > m_nLowest)
        enabled |= StepDownEnabled;
    if (value() < m_nHighest)
        enabled |= StepUpEnabled;
    return enabled;
}
