#include "frame/CommonSettings.h"

#include "app/Settings.h"
#include "platform/HexDigits.h"

namespace {

// The integer settings of the dialog's controls.
constexpr int CSettings::* kEditedFields[] = {
    &CSettings::InitialCabinetMode, &CSettings::InvokeWithoutUntitled, &CSettings::MultiInstance,
    &CSettings::LongTitle, &CSettings::DisplayTabBar, &CSettings::HexAddress,
    &CSettings::BytesPerLine, &CSettings::DecimalBlockBytes, &CSettings::HexBlockBytes,
    &CSettings::StartWithOverWrite, &CSettings::Ignore8bitCode, &CSettings::DrawUnderLine,
    &CSettings::CursorUnderLineColor, &CSettings::DrawUnderCaret, &CSettings::UnderCaretColor,
    &CSettings::OneRasterLow, &CSettings::Binary1, &CSettings::Binary1Color, &CSettings::Binary2,
    &CSettings::Binary2Color, &CSettings::MarkedPosColor, &CSettings::AddressLineBackColor,
};

} // namespace

std::string ColouringByteText(int value)
{
    if (value < 0 || value > 255)
        return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    if (value >= 16)
        text += kDigits[value >> 4];
    text += kDigits[value & 15];
    return text;
}

std::optional<int> ParseColouringByte(std::string_view text)
{
    if (text.empty())
        return kNoColouringByte;
    if (text.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

CommonSettingsChanges ApplyCommonSettings(const CSettings& edited, CSettings& target)
{
    CommonSettingsChanges changes;
    changes.bytesPerLine = edited.BytesPerLine != target.BytesPerLine;
    // A check box shows any non-zero value as on: only a change of state counts.
    const auto switched = [&](int CSettings::* field) { return (edited.*field != 0) != (target.*field != 0); };
    changes.longTitle = switched(&CSettings::LongTitle);
    changes.displayTabBar = switched(&CSettings::DisplayTabBar);
    changes.multiInstance = switched(&CSettings::MultiInstance);
    for (int CSettings::* field : kEditedFields)
        target.*field = edited.*field;
    target.Binary1InEffect = target.Binary1;
    target.Binary2InEffect = target.Binary2;
    return changes;
}
