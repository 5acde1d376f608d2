// Windows virtual-key codes, which the key-definition file stores, and their
// translation to and from Qt key codes.
#pragma once

#include "platform/QtKeyCodes.h"

namespace vk {

constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;   // Page Up
constexpr int Next = 0x22;    // Page Down
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Digit0 = 0x30;  // '0' to '9' are 0x30 to 0x39
constexpr int LetterA = 0x41; // 'A' to 'Z' are 0x41 to 0x5A
constexpr int Numpad0 = 0x60; // keypad digits 0x60 to 0x69
constexpr int F1 = 0x70;      // F1 to F24 are 0x70 to 0x87
constexpr int F24 = 0x87;

} // namespace vk


// The virtual key of a Qt key press, or 0 when it has none. qtModifiers
// matters only for the keypad: a keypad digit is its own virtual key (as on
// Windows), so it never matches a binding of the main row's digit.
int VirtualKeyFromQtKey(int qtKey, int qtModifiers = 0);

// The Qt key of a virtual key, or 0 when there is none. Keypad digits answer
// the digit key; the caller adds KeypadModifier.
int QtKeyFromVirtualKey(int virtualKey);
