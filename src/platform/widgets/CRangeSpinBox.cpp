#include "platform/widgets/CRangeSpinBox.h"

#include "platform/Messages.h"

#include <algorithm>
#include <cstdint>

namespace {
// What typing may reach: four digits, or a digit more than the highest value
// takes, so that a number just past the range can be typed and be told of.
int TypedMaximum(int highest)
{
    return highest < 999 ? 9999 : std::min<int64_t>(int64_t{highest} * 10 + 9, 999'999'999);
}
} // namespace

CRangeSpinBox::CRangeSpinBox(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
    , m_nLowest(minimum)
    , m_nHighest(maximum)
{
    setRange(0, TypedMaximum(maximum));
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

bool CRangeSpinBox::checkRange()
{
    if (inRange())
        return true;
    ShowMessage(StringId::IdsIntRange, MsgButtons::Ok, MsgIcon::Warning,
                {std::to_string(m_nLowest), std::to_string(m_nHighest)});
    setFocus();
    selectAll();
    return false;
}
