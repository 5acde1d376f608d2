#include "platform/VirtualKeys.h"

#include <array>
#include <utility>

namespace {

// The keys whose codes follow no range rule.
constexpr std::array<std::pair<int, int>, 15> kNamedKeys{{
    {vk::Back, qtkey::Key_Backspace},
    {vk::Tab, qtkey::Key_Tab},
    {vk::Return, qtkey::Key_Return},
    {vk::Escape, qtkey::Key_Escape},
    {vk::Space, qtkey::Key_Space},
    {vk::Prior, qtkey::Key_PageUp},
    {vk::Next, qtkey::Key_PageDown},
    {vk::End, qtkey::Key_End},
    {vk::Home, qtkey::Key_Home},
    {vk::Left, qtkey::Key_Left},
    {vk::Up, qtkey::Key_Up},
    {vk::Right, qtkey::Key_Right},
    {vk::Down, qtkey::Key_Down},
    {vk::Insert, qtkey::Key_Insert},
    {vk::Delete, qtkey::Key_Delete},
}};

constexpr int kLetterCount = 26;
constexpr int kDigitCount = 10;
constexpr int kLowerA = 0x61;

} // namespace

int VirtualKeyFromQtKey(int qtKey, int qtModifiers)
{
    if (qtKey >= qtkey::Key_0 && qtKey <= qtkey::Key_9) {
        const int digit = qtKey - qtkey::Key_0;
        return (qtModifiers & qtkey::KeypadModifier) ? vk::Numpad0 + digit : vk::Digit0 + digit;
    }
    if (qtKey >= qtkey::Key_A && qtKey <= qtkey::Key_Z)
        return vk::LetterA + (qtKey - qtkey::Key_A);
    // Qt reports letters in upper case, but text-derived keys may be lower case.
    if (qtKey >= kLowerA && qtKey < kLowerA + kLetterCount)
        return vk::LetterA + (qtKey - kLowerA);
    if (qtKey >= qtkey::Key_F1 && qtKey <= qtkey::Key_F24)
        return vk::F1 + (qtKey - qtkey::Key_F1);
    if (qtKey == qtkey::Key_Enter)
        return vk::Return;
    for (const auto& [virtualKey, key] : kNamedKeys)
        if (key == qtKey)
            return virtualKey;
    return 0;
}

int QtKeyFromVirtualKey(int virtualKey)
{
    if (virtualKey >= vk::Digit0 && virtualKey < vk::Digit0 + kDigitCount)
        return qtkey::Key_0 + (virtualKey - vk::Digit0);
    if (virtualKey >= vk::Numpad0 && virtualKey < vk::Numpad0 + kDigitCount)
        return qtkey::Key_0 + (virtualKey - vk::Numpad0);
    if (virtualKey >= vk::LetterA && virtualKey < vk::LetterA + kLetterCount)
        return qtkey::Key_A + (virtualKey - vk::LetterA);
    if (virtualKey >= vk::F1 && virtualKey <= vk::F24)
        return qtkey::Key_F1 + (virtualKey - vk::F1);
    for (const auto& [code, key] : kNamedKeys)
        if (code == virtualKey)
            return key;
    return 0;
}
