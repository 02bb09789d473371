// The real "Brivane Messagebox" window, driven from a second thread.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "atl/Module.h"
#include "base/Prompt.h"
#include "resource.h"
#include "support/Scale.h"
#include "support/WindowDriver.h"
#include "ui/DialogDecor.h"
#include "ui/MessageBoxLayout.h"
#include "ui/ZintMessageBox.h"

namespace {
const wchar_t kCaption[] = L"Brivane Box Test";

struct BoxView {
  RECT window{};
  RECT client{};
  std::map<int, RECT> buttons;  // the buttons that exist
  int defaultId = 0;
  std::vector<int> defaultStyled;  // buttons drawn as the default
  std::wstring text;
  RECT textRect{};
  RECT banner{};
  HBITMAP symbol = nullptr;
  int symbolWidth = 0;
  std::vector<BYTE> symbolBits;
};

// The pixels of a bitmap at its own size.
std::vector<BYTE> BitmapBits(HBITMAP bitmap) {
  BITMAP size{};
  if (!GetObjectW(bitmap, sizeof size, &size)) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = abs(size.bmHeight);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<BYTE> bits(size_t(size.bmWidth) * abs(size.bmHeight) * 4);
  HDC dc = GetDC(nullptr);
  int rows = GetDIBits(dc, bitmap, 0, abs(size.bmHeight), bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != abs(size.bmHeight)) bits.clear();
  return bits;
}

// A symbol as the box shows it at the program's DPI: stretched, or as it is at 96 DPI.
std::vector<BYTE> ShownBits(int symbolId) {
  HBITMAP symbol =
      static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(symbolId), IMAGE_BITMAP, 0, 0, 0));
  UniqueBitmap scaled = BitmapForDpi(symbol, ScreenDpi());
  std::vector<BYTE> bits = BitmapBits(scaled ? scaled.get() : symbol);
  DeleteObject(symbol);
  return bits;
}

BoxView Read(HWND box) {
  BoxView view;
  GetWindowRect(box, &view.window);
  GetClientRect(box, &view.client);
  for (int id : message_box::kAllButtons) {
    HWND button = GetDlgItem(box, id);
    if (!button) continue;
    view.buttons[id] = ChildRect(box, id);
    if ((GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) view.defaultStyled.push_back(id);
  }
  view.defaultId = LOWORD(SendMessageW(box, DM_GETDEFID, 0, 0));
  view.text = WindowText(GetDlgItem(box, IDC_HEADING));
  view.textRect = ChildRect(box, IDC_HEADING);
  view.banner = ChildRect(box, IDC_BANNER);
  view.symbol = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(box, IDC_SYMBOL, STM_GETIMAGE, IMAGE_BITMAP, 0));
  view.symbolBits = BitmapBits(view.symbol);
  BITMAP shown{};
  if (GetObjectW(view.symbol, sizeof shown, &shown)) view.symbolWidth = shown.bmWidth;
  return view;
}

// Shows the box on this thread; the driver reads it and clicks the answer.
int ShowAndAnswer(const std::wstring& text, UINT type, int answer, BoxView* view = nullptr) {
  WindowDriver driver(kCaption, [&](HWND box) {
    if (view) *view = Read(box);
    Click(box, answer);
  });
  int result = CZintMessageBox::Show(nullptr, text.c_str(), kCaption, type);
  driver.join();
  EXPECT_TRUE(driver.found());
  return result;
}

int Height(const RECT& r) { return r.bottom - r.top; }
}  // namespace

TEST(MessageBoxWindow, EachTypeKeepsItsButtonsInTheirSlotsAndReturnsTheClickedOne) {
  for (UINT type = MB_OK; type <= MB_CANCELTRYCONTINUE; ++type) {
    message_box::Buttons expected = message_box::ButtonsFor(type);
    for (int answer : expected.slots) {
      BoxView view;
      EXPECT_EQ(ShowAndAnswer(L"Question", type, answer, &view), answer) << "type " << type;

      EXPECT_EQ(view.window.right - view.window.left, Px(460));
      ASSERT_EQ(view.buttons.size(), expected.slots.size()) << "type " << type;
      for (size_t k = 0; k < expected.slots.size(); ++k) {
        const RECT& r = view.buttons[expected.slots[k]];
        EXPECT_EQ(r.left, view.client.right - int(k + 1) * Px(100)) << "type " << type << " slot " << k;
        EXPECT_EQ(r.top, view.client.bottom - Px(35)) << "type " << type << " slot " << k;
        EXPECT_EQ(r.right - r.left, Px(90));
        EXPECT_EQ(r.bottom - r.top, Px(25));
      }
      EXPECT_EQ(view.defaultId, expected.defaultId) << "type " << type;
      EXPECT_EQ(view.defaultStyled, std::vector<int>{expected.defaultId}) << "type " << type;
    }
  }
}

TEST(MessageBoxWindow, YesNoQuestionShowsNoRightmostYesDefaultAndTheQuestionSymbol) {
  BoxView view;
  EXPECT_EQ(ShowAndAnswer(L"Overwrite the file?", MB_YESNO | MB_ICONQUESTION, IDYES, &view), IDYES);
  ASSERT_TRUE(view.buttons.count(IDNO) && view.buttons.count(IDYES));
  EXPECT_GT(view.buttons[IDNO].left, view.buttons[IDYES].left);
  EXPECT_EQ(view.buttons[IDNO].left, view.client.right - Px(100));
  EXPECT_EQ(view.defaultId, IDYES);
  EXPECT_EQ(view.text, L"Overwrite the file?");

  EXPECT_EQ(view.symbolWidth, Px(32));
  ASSERT_FALSE(view.symbolBits.empty());
  EXPECT_EQ(view.symbolBits, ShownBits(IDB_QUESTION));
  EXPECT_NE(view.symbolBits, ShownBits(IDB_WARNING));
}

TEST(MessageBoxWindow, GrowsThirteenScaledPixelsPerLineBeyondThree) {
  BoxView three, six, wide;
  ShowAndAnswer(L"one\ntwo\nthree", MB_OK, IDOK, &three);
  ShowAndAnswer(L"one\ntwo\nthree\nfour\nfive\nsix", MB_OK, IDOK, &six);
  ShowAndAnswer(std::wstring(120, L'w'), MB_OK, IDOK, &wide);

  EXPECT_EQ(Height(six.window) - Height(three.window), 3 * Px(13));
  EXPECT_EQ(Height(six.textRect) - Height(three.textRect), 3 * Px(13));
  EXPECT_EQ(Height(three.banner), Px(90));
  EXPECT_EQ(Height(six.banner), Px(90) + 3 * Px(13));
  EXPECT_EQ(six.banner.left, -Px(5));
  EXPECT_EQ(six.banner.right - six.banner.left, Px(460) + 2 * Px(5));
  // 120 characters without a line feed count as three lines.
  EXPECT_EQ(Height(wide.window), Height(three.window));
  // The buttons follow the bottom edge.
  EXPECT_EQ(six.buttons[IDOK].top, six.client.bottom - Px(35));
}

TEST(MessageBoxWindow, EscapeAnswersOkInAnOkBoxAndIsIgnoredWithoutCancel) {
  WindowDriver okDriver(kCaption, [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(CZintMessageBox::Show(nullptr, L"Done", kCaption, MB_OK), IDOK);
  okDriver.join();

  bool stillOpen = false;
  WindowDriver yesNoDriver(kCaption, [&](HWND box) {
    SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(box, WM_CLOSE, 0, 0);
    stillOpen = IsWindowVisible(box);
    Click(box, IDNO);
  });
  EXPECT_EQ(CZintMessageBox::Show(nullptr, L"Continue?", kCaption, MB_YESNO), IDNO);
  yesNoDriver.join();
  EXPECT_TRUE(stillOpen);
}

TEST(MessageBoxWindow, InstalledAsThePromptHook) {
  PromptFunction previous = PromptHook();
  CZintMessageBox::InstallAsPromptHook();
  WindowDriver driver(kCaption, [](HWND box) { Click(box, IDRETRY); });
  EXPECT_EQ(Prompt(nullptr, L"The file is in use.", kCaption, MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
  driver.join();
  SetPromptHook(previous);
}
