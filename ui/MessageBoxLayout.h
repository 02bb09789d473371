#pragma once
// The arithmetic of CZintMessageBox, kept apart from the window: which buttons a type shows and where,
// which symbol it carries, and how many lines its text takes.
#include <windows.h>

#include <string_view>
#include <vector>

namespace message_box {

// Pixel sizes at 96 DPI; the functions below give them at the window's DPI.
constexpr int kWidth = 460;            // window width in pixels
constexpr int kBannerHeight = 90;      // before growth
constexpr int kLinePixels = 13;        // growth per line beyond kPlainLines
constexpr int kPlainLines = 3;
constexpr int kWrapColumn = 50;        // lines wrap after this many characters
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;
constexpr int kButtonPitch = 100;      // slot k sits at client width - (k + 1) * pitch
constexpr int kButtonBottom = 35;      // buttons sit at client height - this

// The nine button ids the template holds.
extern const int kAllButtons[9];

struct Buttons {
  std::vector<int> slots;  // slot 0 is the rightmost
  int defaultId = IDOK;
};

// By type & 0x0F; an unknown button type shows OK alone.
Buttons ButtonsFor(UINT type);
// The symbol bitmap (IDB_*) by type & 0xF0.
int SymbolFor(UINT type);
// 1, plus one per line feed, plus one each time a line reaches its 51st character.
int CountLines(std::wstring_view text);

// The window's width at dpi.
int Width(int dpi);
// Pixels the window, text and banner grow by at dpi: 13 (scaled) for each line beyond three.
int Growth(int lines, int dpi);
// The banner's height at dpi for a box grown by growth pixels.
int BannerHeight(int growth, int dpi);
// The button of slot k (0 the rightmost) in a client area clientWidth x clientHeight pixels at dpi.
RECT ButtonRect(int slot, int clientWidth, int clientHeight, int dpi);

}  // namespace message_box
