#pragma once
// The classic desktop virtual-key codes the game's key handlers receive. The
// platform turns its own key events into these; letters and digits are their
// upper-case ASCII codes.
namespace kv::vk {

constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19, Capital = 20;
constexpr int Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35, Home = 36;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Snapshot = 44, Insert = 45, Delete = 46, LeftWin = 91, RightWin = 92, Apps = 93;
constexpr int Numpad0 = 96, Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int F1 = 112, NumLock = 144, ScrollLock = 145;
constexpr int Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191, BackQuote = 192;
constexpr int LeftBracket = 219, Backslash = 220, RightBracket = 221, Quote = 222;

constexpr int letter(char upper) { return upper; }   // 'A' .. 'Z'

}  // namespace kv::vk
