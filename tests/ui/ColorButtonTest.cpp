// The colour button and its palette: the named colours, where the popup goes, and the button driven as a
// user drives it, with the mouse and the keyboard, on a real window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <colordlg.h>
#include <gdiplus.h>

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/Scale.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"
#include "tools/explorer/ScreenCapture.h"
#include "support/WindowDriver.h"
#include "ui/ColorButton.h"
#include "ui/ColorPickerLayout.h"

using namespace color_picker;

namespace {

constexpr int kButtonId = 309;

TEST(ColorPalette, FortyNamedColoursInReadingOrder) {
  struct Row {
    int index;
    const wchar_t* name;
    COLORREF color;
  };
  const Row rows[] = {
      {0, L"Black", RGB(0, 0, 0)},           {1, L"Brown", RGB(165, 42, 0)},
      {7, L"Dark grey", RGB(40, 40, 40)},    {9, L"Orange", RGB(255, 104, 32)},
      {15, L"Grey - 40", RGB(102, 102, 102)}, {20, L"Aqua", RGB(127, 255, 212)},
      {23, L"Grey - 50", RGB(127, 127, 127)}, {29, L"Skyblue", RGB(192, 255, 255)},
      {35, L"Pale green ", RGB(152, 251, 152)}, {37, L"Pale blue", RGB(104, 131, 139)},
      {39, L"White", RGB(255, 255, 255)},
  };
  for (const Row& row : rows) {
    EXPECT_STREQ(kPalette[row.index].name, row.name) << row.index;
    EXPECT_EQ(kPalette[row.index].color, row.color) << row.index;
  }
  // Every colour once, so a colour always finds its own swatch.
  std::set<COLORREF> colours;
  for (const NamedColor& entry : kPalette) colours.insert(entry.color);
  EXPECT_EQ(colours.size(), 40u);
  EXPECT_EQ(EntryForColor(RGB(255, 104, 32)), 9);
  EXPECT_EQ(EntryForColor(kAutomaticColor), kDefaultEntry);
  EXPECT_EQ(EntryForColor(RGB(1, 2, 3)), kCustomEntry);
}

TEST(ColorPaletteLayout, SwatchesInEightColumnsBetweenTheTwoTextRows) {
  Layout layout(13);
  EXPECT_EQ(layout.Size().cx, 4 + 8 * 18 + 4);
  EXPECT_EQ(layout.Size().cy, 4 + 21 + 4 + 5 * 18 + 4 + 21 + 4);

  RECT automatic = layout.EntryRect(kDefaultEntry);
  RECT first = layout.EntryRect(0);
  RECT last = layout.EntryRect(39);
  RECT more = layout.EntryRect(kCustomEntry);
  EXPECT_LE(automatic.bottom, first.top);
  EXPECT_LE(last.bottom, more.top);
  EXPECT_EQ(automatic.right - automatic.left, 8 * 18);
  // Swatch 9 is the second of the second row; its square is 14 x 14 with 2 pixels around it.
  RECT ninth = layout.EntryRect(9);
  EXPECT_EQ(ninth.left - first.left, 18);
  EXPECT_EQ(ninth.top - first.top, 18);
  RECT square = layout.SwatchRect(9);
  EXPECT_EQ(square.right - square.left, 14);
  EXPECT_EQ(square.bottom - square.top, 14);
  EXPECT_EQ(square.left - ninth.left, 2);

  for (int entry = 0; entry <= kCustomEntry; ++entry) {
    RECT area = layout.EntryRect(entry);
    EXPECT_EQ(layout.HitTest({(area.left + area.right) / 2, (area.top + area.bottom) / 2}), entry) << entry;
  }
  EXPECT_EQ(layout.HitTest({1, 1}), kNoEntry);
  EXPECT_EQ(layout.HitTest({-5, 40}), kNoEntry);
  EXPECT_EQ(layout.HitTest({layout.Size().cx + 3, 40}), kNoEntry);
}

// At 150 % and 200 % the squares, their spacing and the rows' room around the text grow with the DPI
// (the text height is already the font's at that DPI); at 96 DPI the sizes above hold.
TEST(ColorPaletteLayout, SizesFollowTheDpi) {
  struct Row {
    int dpi, textHeight;
    SIZE popup;
    int cell, square, margin, rowHeight;
  };
  const Row rows[] = {
      {96, 13, {152, 148}, 18, 14, 2, 21},
      {144, 20, {228, 223}, 27, 21, 3, 32},
      {192, 26, {304, 296}, 36, 28, 4, 42},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    Layout layout(row.textHeight, row.dpi);
    EXPECT_EQ(layout.Size().cx, row.popup.cx);
    EXPECT_EQ(layout.Size().cy, row.popup.cy);
    RECT first = layout.EntryRect(0), ninth = layout.EntryRect(9), square = layout.SwatchRect(9);
    EXPECT_EQ(ninth.left - first.left, row.cell);
    EXPECT_EQ(ninth.top - first.top, row.cell);
    EXPECT_EQ(square.right - square.left, row.square);
    EXPECT_EQ(square.left - ninth.left, row.margin);
    EXPECT_EQ(layout.SwatchMargin(), row.margin);
    RECT automatic = layout.EntryRect(kDefaultEntry), more = layout.EntryRect(kCustomEntry);
    EXPECT_EQ(automatic.bottom - automatic.top, row.rowHeight);
    EXPECT_EQ(more.bottom - more.top, row.rowHeight);
    // The last row ends the padding away from the bottom edge, as the first starts from the top.
    EXPECT_EQ(layout.Size().cy - more.bottom, automatic.top);
    for (int entry = 0; entry <= kCustomEntry; ++entry) {
      RECT area = layout.EntryRect(entry);
      EXPECT_EQ(layout.HitTest({(area.left + area.right) / 2, (area.top + area.bottom) / 2}), entry) << entry;
    }
  }
}

TEST(ColorPaletteLayout, TheArrowKeysWalkRowsAndWrapAtTheEnds) {
  EXPECT_EQ(NextEntry(kNoEntry, VK_DOWN, 12), 12);  // the first key finds the current colour
  EXPECT_EQ(NextEntry(kNoEntry, VK_DOWN, kNoEntry), kDefaultEntry);
  EXPECT_EQ(NextEntry(kDefaultEntry, VK_DOWN, 0), 0);
  EXPECT_EQ(NextEntry(3, VK_UP, 0), kDefaultEntry);
  EXPECT_EQ(NextEntry(3, VK_DOWN, 0), 11);
  EXPECT_EQ(NextEntry(35, VK_DOWN, 0), kCustomEntry);
  EXPECT_EQ(NextEntry(kCustomEntry, VK_UP, 0), 32);
  EXPECT_EQ(NextEntry(7, VK_RIGHT, 0), 8);
  EXPECT_EQ(NextEntry(39, VK_RIGHT, 0), kCustomEntry);
  EXPECT_EQ(NextEntry(kCustomEntry, VK_RIGHT, 0), kDefaultEntry);
  EXPECT_EQ(NextEntry(kDefaultEntry, VK_LEFT, 0), kCustomEntry);
  EXPECT_EQ(NextEntry(0, VK_LEFT, 0), kDefaultEntry);
}

TEST(ColorPalettePlacement, StaysOnTheButtonsMonitor) {
  const RECT monitor{0, 0, 1280, 1024};
  const SIZE popup{152, 150};
  struct Row {
    const char* where;
    RECT button;
    RECT monitor;
    POINT expected;
  };
  const Row rows[] = {
      {"room below", {100, 100, 200, 123}, monitor, {100, 123}},
      {"at the right edge", {1200, 100, 1270, 123}, monitor, {1280 - 152, 123}},
      {"at the bottom", {100, 950, 200, 973}, monitor, {100, 950 - 150}},
      {"bottom right corner", {1230, 990, 1280, 1013}, monitor, {1128, 840}},
      {"half off the left edge", {-40, 100, 60, 123}, monitor, {0, 123}},
      // A second monitor left of and above the primary one.
      {"monitor at negative coordinates", {-300, -80, -200, -57}, {-1920, -200, 0, 880}, {-300, -57}},
      {"right edge of the left monitor", {-60, 100, -5, 123}, {-1920, -200, 0, 880}, {-152, 123}},
      // Taller than the room above and below: kept inside from the top.
      {"monitor too short", {10, 50, 60, 73}, {0, 0, 800, 180}, {10, 0}},
  };
  for (const Row& row : rows) {
    POINT at = PlacePopup(row.button, popup, row.monitor);
    EXPECT_EQ(at.x, row.expected.x) << row.where;
    EXPECT_EQ(at.y, row.expected.y) << row.where;
  }
}

// A plain window holding one push button, as a dialog holds the colour button.
class ColorButtonWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW type{};
    type.lpfnWndProc = &Proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = L"ColorButtonHost";
    RegisterClassW(&type);
    host_ = CreateWindowExW(0, L"ColorButtonHost", L"Colour button host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                            200, 200, 260, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host_);
    buttonWindow_ = CreateWindowExW(0, L"BUTTON", L"Border Color", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    20, 20, 90, 23, host_, reinterpret_cast<HMENU>(kButtonId),
                                    GetModuleHandleW(nullptr), nullptr);
    SendMessageW(buttonWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ASSERT_TRUE(button_.Attach(buttonWindow_));
    changes_ = 0;
  }
  void TearDown() override {
    if (host_) DestroyWindow(host_);
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == CColorButton::kColorChanged)
      ++changes_;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // Opens the palette on this thread while drive(popup) works it from another; returns Pick's answer.
  bool PickWith(std::function<void(HWND popup)> drive) {
    DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
      HWND popup = WaitForPopup(thread);
      EXPECT_TRUE(popup) << "no palette appeared";
      if (!popup) return;
      drive(popup);
      for (DWORD start = GetTickCount(); IsWindow(popup) && GetTickCount() - start < 5000;) Sleep(10);
      if (IsWindow(popup)) {
        ADD_FAILURE() << "the palette stayed open";
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      }
    });
    bool changed = button_.Pick();
    driver.join();
    return changed;
  }

  // The thread's open palette, or null.
  static HWND FindPopup(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) -> BOOL {
          wchar_t name[64] = L"";
          GetClassNameW(window, name, 64);
          if (std::wstring(name) != L"ColorPicker" || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(param) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static HWND WaitForPopup(DWORD thread) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10))
      if (HWND found = FindPopup(thread)) return found;
    return nullptr;
  }

  // The popup's layout at the program's DPI, from its height: the text height whose layout is as tall.
  static Layout LayoutOf(HWND popup) {
    RECT client;
    GetClientRect(popup, &client);
    int textHeight = 1;
    while (textHeight < 200 && Layout(textHeight, ScreenDpi()).Size().cy < client.bottom) ++textHeight;
    Layout layout(textHeight, ScreenDpi());
    EXPECT_EQ(layout.Size().cy, client.bottom);
    EXPECT_EQ(layout.Size().cx, client.right);
    return layout;
  }

  static POINT CentreOf(HWND popup, int entry) {
    RECT area = LayoutOf(popup).EntryRect(entry);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  }

  static void ClickAt(HWND popup, POINT point, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(popup, WM_MOUSEMOVE, 0, at);
    PostMessageW(popup, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
    PostMessageW(popup, up, 0, at);
  }

  // The top-level window of that class that the owner owns, on the owner's thread.
  static HWND OwnedWindow(HWND owner, const std::wstring& className) {
    struct Search {
      HWND owner;
      const std::wstring* className;
      HWND found;
    } search{owner, &className, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(owner, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
          auto* search = reinterpret_cast<Search*>(param);
          wchar_t name[64] = L"";
          GetClassNameW(window, name, 64);
          if (name != *search->className || GetWindow(window, GW_OWNER) != search->owner) return TRUE;
          search->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static void Key(HWND popup, UINT key) { PostMessageW(popup, WM_KEYDOWN, key, 0); }

  // The colour the face shows, read from the screen left of the arrow.
  COLORREF FaceColour() {
    RedrawWindow(buttonWindow_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(buttonWindow_, &client);
    HDC dc = GetDC(buttonWindow_);
    COLORREF pixel = GetPixel(dc, 10, client.bottom / 2);
    ReleaseDC(buttonWindow_, dc);
    return pixel;
  }

  HWND host_ = nullptr;
  HWND buttonWindow_ = nullptr;
  CColorButton button_;
  static inline std::atomic<int> changes_{0};
};

TEST_F(ColorButtonWindow, ASwatchSetsTheColourShowsItAndTellsTheParent) {
  EXPECT_EQ(GetWindowLongPtrW(buttonWindow_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(button_.GetColor(), kAutomaticColor);
  EXPECT_EQ(button_.DefaultColor(), GetSysColor(COLOR_APPWORKSPACE));
  EXPECT_EQ(FaceColour(), GetSysColor(COLOR_APPWORKSPACE));

  RECT buttonRect, popupRect{};
  GetWindowRect(buttonWindow_, &buttonRect);
  EXPECT_TRUE(PickWith([&](HWND popup) {
    GetWindowRect(popup, &popupRect);
    EXPECT_EQ(GetCapture(), nullptr);  // another thread's capture is not seen here...
    // ...but the popup's thread holds the mouse, once the popup has taken it.
    GUITHREADINFO info{sizeof info};
    for (DWORD start = GetTickCount(); info.hwndCapture != popup && GetTickCount() - start < 2000; Sleep(10))
      GetGUIThreadInfo(GetWindowThreadProcessId(popup, nullptr), &info);
    EXPECT_EQ(info.hwndCapture, popup);
    ClickAt(popup, CentreOf(popup, 9));
  }));
  // Directly below the button, left edges aligned.
  EXPECT_EQ(popupRect.left, buttonRect.left);
  EXPECT_EQ(popupRect.top, buttonRect.bottom);
  EXPECT_EQ(button_.GetColor(), RGB(255, 104, 32));
  EXPECT_EQ(FaceColour(), RGB(255, 104, 32));
  EXPECT_EQ(changes_, 1);

  // Choosing the colour it already has is no change.
  EXPECT_FALSE(PickWith([&](HWND popup) { ClickAt(popup, CentreOf(popup, 9)); }));
  EXPECT_EQ(changes_, 1);

  // "Automatic" stands for the default colour.
  EXPECT_TRUE(PickWith([&](HWND popup) { ClickAt(popup, CentreOf(popup, kDefaultEntry)); }));
  EXPECT_EQ(button_.GetColor(), kAutomaticColor);
  EXPECT_EQ(button_.ShownColor(), GetSysColor(COLOR_APPWORKSPACE));
  EXPECT_EQ(changes_, 2);
}

TEST_F(ColorButtonWindow, RightClickOutsideClickAndEscapeCloseWithoutChange) {
  button_.SetColor(RGB(0, 147, 0));
  EXPECT_FALSE(PickWith([&](HWND popup) { ClickAt(popup, CentreOf(popup, 13), WM_RBUTTONDOWN, WM_RBUTTONUP); }));
  EXPECT_FALSE(PickWith([&](HWND popup) { ClickAt(popup, {-30, -30}); }));
  EXPECT_FALSE(PickWith([&](HWND popup) {
    Key(popup, VK_RIGHT);
    Key(popup, VK_ESCAPE);
  }));
  // A margin between the entries chooses nothing; the palette stays until a real choice.
  EXPECT_FALSE(PickWith([&](HWND popup) {
    ClickAt(popup, {1, 1});
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(popup));
    Key(popup, VK_ESCAPE);
  }));
  EXPECT_EQ(button_.GetColor(), RGB(0, 147, 0));
  EXPECT_EQ(changes_, 0);
}

TEST_F(ColorButtonWindow, TheKeyboardStartsOnTheCurrentColourAndEnterChooses) {
  button_.SetColor(RGB(0, 147, 0));  // "Green", swatch 11
  EXPECT_TRUE(PickWith([&](HWND popup) {
    Key(popup, VK_DOWN);   // onto the current colour
    Key(popup, VK_DOWN);   // 19
    Key(popup, VK_RIGHT);  // 20
    Key(popup, VK_RETURN);
  }));
  EXPECT_EQ(button_.GetColor(), kPalette[20].color);
}

TEST_F(ColorButtonWindow, AClickOnTheButtonOpensThePalette) {
  std::atomic<bool> done{false};
  DWORD thread = GetCurrentThreadId();
  std::thread driver([&] {
    HWND popup = WaitForPopup(thread);
    EXPECT_TRUE(popup);
    if (popup) ClickAt(popup, CentreOf(popup, 39));
    done = true;
  });
  PostMessageW(buttonWindow_, BM_CLICK, 0, 0);
  MSG message;
  for (DWORD start = GetTickCount(); !(done && !FindPopup(thread)) && GetTickCount() - start < 10000;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  driver.join();
  EXPECT_EQ(button_.GetColor(), RGB(255, 255, 255));
}

TEST_F(ColorButtonWindow, EverySwatchHasItsNameAsTooltip) {
  std::vector<std::wstring> names;
  PickWith([&](HWND popup) {
    HWND tooltip = OwnedWindow(popup, TOOLTIPS_CLASSW);
    EXPECT_TRUE(tooltip);
    if (tooltip) {
      Layout layout = LayoutOf(popup);
      int count = int(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
      EXPECT_EQ(count, 40);
      for (int i = 0; i < count; ++i) {
        wchar_t text[80] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_ENUMTOOLSW, WPARAM(i), reinterpret_cast<LPARAM>(&tool));
        names.push_back(text);
        RECT cell = layout.EntryRect(int(tool.uId));
        EXPECT_TRUE(EqualRect(&tool.rect, &cell)) << i;
      }
    }
    Key(popup, VK_ESCAPE);
  });
  ASSERT_EQ(names.size(), 40u);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(names[i], kPalette[i].name) << i;
}

TEST_F(ColorButtonWindow, NearTheScreensCornerThePaletteOpensAboveAndInside) {
  MONITORINFO monitor{sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(host_, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT host;
  GetWindowRect(host_, &host);
  // The button's right edge just off the screen and its bottom near the work area's.
  SetWindowPos(host_, nullptr, monitor.rcWork.right - 100, monitor.rcWork.bottom - 60, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT buttonRect, popupRect{};
  GetWindowRect(buttonWindow_, &buttonRect);
  PickWith([&](HWND popup) {
    GetWindowRect(popup, &popupRect);
    Key(popup, VK_ESCAPE);
  });
  EXPECT_GE(popupRect.left, monitor.rcWork.left);
  EXPECT_LE(popupRect.right, monitor.rcWork.right);
  EXPECT_GE(popupRect.top, monitor.rcWork.top);
  EXPECT_LE(popupRect.bottom, monitor.rcWork.bottom);
  EXPECT_EQ(popupRect.bottom, buttonRect.top);
}

TEST_F(ColorButtonWindow, MoreColorsOpensTheSystemChooserOnTheCurrentColour) {
  button_.SetColor(RGB(10, 20, 30));
  std::wstring red, green, blue;
  EXPECT_TRUE(PickWith([&](HWND popup) {
    ClickAt(popup, CentreOf(popup, kCustomEntry));
    HWND chooser = WaitForProcessWindow(L"Color");
    ASSERT_TRUE(chooser);
    red = WindowText(GetDlgItem(chooser, COLOR_RED));
    green = WindowText(GetDlgItem(chooser, COLOR_GREEN));
    blue = WindowText(GetDlgItem(chooser, COLOR_BLUE));
    SetWindowTextW(GetDlgItem(chooser, COLOR_RED), L"200");
    SetWindowTextW(GetDlgItem(chooser, COLOR_GREEN), L"100");
    SetWindowTextW(GetDlgItem(chooser, COLOR_BLUE), L"50");
    Click(chooser, IDOK);
  }));
  EXPECT_EQ(red, L"10");
  EXPECT_EQ(green, L"20");
  EXPECT_EQ(blue, L"30");
  EXPECT_EQ(button_.GetColor(), RGB(200, 100, 50));
}

TEST_F(ColorButtonWindow, Screenshot) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  button_.SetColor(RGB(255, 69, 0));
  PickWith([&](HWND popup) {
    PostMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(CentreOf(popup, 20).x, CentreOf(popup, 20).y));
    Sleep(300);
    RECT host, popupRect;
    GetWindowRect(host_, &host);
    GetWindowRect(popup, &popupRect);
    // The host window and the palette below it in one picture.
    RECT both;
    UnionRect(&both, &host, &popupRect);
    std::wstring error;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    EXPECT_TRUE(SaveScreenPng(both, folder + L"\\colorbutton-palette.png", error)) << Narrow(error);
    Gdiplus::GdiplusShutdown(token);
    Key(popup, VK_ESCAPE);
  });
  EXPECT_TRUE(SaveWindowPng(host_, folder + L"\\colorbutton-closed.png"));
  EnableWindow(buttonWindow_, FALSE);
  EXPECT_TRUE(SaveWindowPng(host_, folder + L"\\colorbutton-disabled.png"));
}

}  // namespace
