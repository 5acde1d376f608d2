// Qt's key and modifier codes written out as plain ints (the values of
// Qt::Key and Qt::KeyboardModifier), so that the window-free library can
// understand the keys the widgets hand over without including a Qt header.
#pragma once

namespace qtkey {

constexpr int Key_Space = 0x20;
constexpr int Key_0 = 0x30;
constexpr int Key_9 = 0x39;
constexpr int Key_A = 0x41;
constexpr int Key_C = 0x43;
constexpr int Key_V = 0x56;
constexpr int Key_X = 0x58;
constexpr int Key_Y = 0x59;
constexpr int Key_Z = 0x5A;
constexpr int Key_Escape = 0x01000000;
constexpr int Key_Tab = 0x01000001;
constexpr int Key_Backtab = 0x01000002;
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
