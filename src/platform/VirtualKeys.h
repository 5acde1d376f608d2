// Windows virtual-key codes, which the key-definition file stores, and their
// translation to and from Qt key codes. Qt's values are written out here as
// plain ints so that the window-free library needs no Qt header; they are the
// values of Qt::Key and Qt::KeyboardModifier.
#pragma once

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

namespace qtkey {

constexpr int Key_Space = 0x20;
constexpr int Key_0 = 0x30;
constexpr int Key_9 = 0x39;
constexpr int Key_A = 0x41;
constexpr int Key_Z = 0x5A;
constexpr int Key_Escape = 0x01000000;
constexpr int Key_Tab = 0x01000001;
constexpr int Key_Backspace = 0x01000003;
constexpr int Key_Return = 0x01000004;
constexpr int Key_Enter = 0x01000005;
constexpr int Key_Insert = 0x01000006;
constexpr int Key_Delete = 0x01000007;
constexpr int Key_Home = 0x01000010;
constexpr int Key_End = 0x01000011;
constexpr int Key_Left = 0x01000012;
constexpr int Key_Up = 0x01000013;
constexpr int Key_Right = 0x01000014;
constexpr int Key_Down = 0x01000015;
constexpr int Key_PageUp = 0x01000016;
constexpr int Key_PageDown = 0x01000017;
constexpr int Key_F1 = 0x01000030;
constexpr int Key_F24 = 0x01000047;

constexpr int ShiftModifier = 0x02000000;
constexpr int ControlModifier = 0x04000000;
constexpr int AltModifier = 0x08000000;
constexpr int MetaModifier = 0x10000000;
constexpr int KeypadModifier = 0x20000000;

} // namespace qtkey

// The virtual key of a Qt key press, or 0 when it has none. qtModifiers
// matters only for the keypad: a keypad digit is its own virtual key (as on
// Windows), so it never matches a binding of the main row's digit.
int VirtualKeyFromQtKey(int qtKey, int qtModifiers = 0);

// The Qt key of a virtual key, or 0 when there is none. Keypad digits answer
// the digit key; the caller adds KeypadModifier.
int QtKeyFromVirtualKey(int virtualKey);
