// The key codes the hex pane's model understands: Qt's values, repeated here
// so the window-free model needs no Qt header. The widget passes event keys as they come.
#pragma once

namespace panekey {

constexpr int Escape = 0x01000000;
constexpr int Tab = 0x01000001;
constexpr int Backtab = 0x01000002;
constexpr int Backspace = 0x01000003;
constexpr int Return = 0x01000004;
constexpr int Enter = 0x01000005;
constexpr int Insert = 0x01000006;
constexpr int Delete = 0x01000007;
constexpr int Home = 0x01000010;
constexpr int End = 0x01000011;
constexpr int Left = 0x01000012;
constexpr int Up = 0x01000013;
constexpr int Right = 0x01000014;
constexpr int Down = 0x01000015;
constexpr int PageUp = 0x01000016;
constexpr int PageDown = 0x01000017;
constexpr int C = 0x43;
constexpr int V = 0x56;
constexpr int X = 0x58;
constexpr int Z = 0x5A;

} // namespace panekey
