// The dialog stand-in and the shared base: finding the object again, modeless keyboard navigation,
// the banner, the heading font and the banner picture at the DPI the program runs at.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/Scale.h"
#include "support/WindowDriver.h"
#include "ui/ModelessDialogs.h"
#include "ui/ZintErrorDialog.h"
#include "ui/ZintMessageBox.h"

namespace {
void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // Deliberately no IsDialogMessage here: the loop stands for Explorer's.
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

TEXTMETRICW Metrics(HFONT font) {
  TEXTMETRICW metrics{};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics;
}

void PostKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}
}  // namespace

TEST(DialogBase, ModelessDialogNavigatesByKeyboardInAForeignLoopAndUnhooksWhenClosed) {
  CZintMessageBox box(L"Keep going?", L"Brivane Modeless", MB_OKCANCEL);
  HWND window = box.Create(nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(CDialogWindow::FromHandle(window), &box);
  EXPECT_FALSE(box.IsModal());
  EXPECT_EQ(ModelessDialogCount(), 1u);
  ShowWindow(window, SW_SHOW);
  PumpFor(100);

  HWND ok = GetDlgItem(window, IDOK), cancel = GetDlgItem(window, IDCANCEL);
  EXPECT_EQ(GetFocus(), ok);
  PostKey(ok, VK_TAB);
  PumpFor(150);
  EXPECT_EQ(GetFocus(), cancel);

  PostKey(cancel, VK_ESCAPE);
  PumpFor(150);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(box.Handle(), nullptr);
  EXPECT_EQ(ModelessDialogCount(), 0u);
}

TEST(DialogBase, ModelessDialogDestroyedWithItsObjectUnhooks) {
  HWND window = nullptr;
  {
    CZintMessageBox box(L"Gone soon", L"Brivane Modeless", MB_OK);
    window = box.Create(nullptr);
    EXPECT_EQ(ModelessDialogCount(), 1u);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ModelessDialogCount(), 0u);
}

TEST(DialogBase, FromHandleKnowsOnlyItsOwnWindows) {
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(CDialogWindow::FromHandle(plain), nullptr);
  EXPECT_EQ(CDialogWindow::FromHandle(nullptr), nullptr);
  DestroyWindow(plain);
}

TEST(DialogBase, BannerHeadingFontAndIconFollowTheDpi) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PRODUCT));
  ASSERT_NE(icon, nullptr);
  CZintErrorDialog dialog(L"Brivane - Split Operation Error", L"Not enough room on the disk.");
  dialog.SetIcon(icon);
  EXPECT_NE(dialog.Icon(), icon);  // a duplicate of its own

  RECT banner{}, window{}, symbol{};
  HFONT headingFont = nullptr;
  LOGFONTW font{};
  TEXTMETRICW heading{}, body{};
  HICON bigIcon = nullptr;
  WindowDriver driver(L"Brivane - Split Operation Error", [&](HWND shown) {
    banner = ChildRect(shown, IDC_BANNER);
    symbol = ChildRect(shown, IDC_SYMBOL);
    GetWindowRect(shown, &window);
    headingFont = reinterpret_cast<HFONT>(SendDlgItemMessageW(shown, IDC_HEADING, WM_GETFONT, 0, 0));
    GetObjectW(headingFont, sizeof(font), &font);
    heading = Metrics(headingFont);
    body = Metrics(reinterpret_cast<HFONT>(SendMessageW(shown, WM_GETFONT, 0, 0)));
    bigIcon = reinterpret_cast<HICON>(SendMessageW(shown, WM_GETICON, ICON_BIG, 0));
    Click(shown, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  driver.join();
  EXPECT_EQ(banner.left, -Px(5));
  EXPECT_EQ(banner.top, -Px(5));
  EXPECT_EQ(banner.right - banner.left, window.right - window.left + 2 * Px(5));
  EXPECT_EQ(banner.bottom - banner.top, Px(60));
  // The error symbol, 32 pixels at 96 DPI, lies inside the banner.
  EXPECT_EQ(symbol.right - symbol.left, Px(32));
  EXPECT_LT(symbol.bottom, banner.bottom);

  EXPECT_EQ(headingFont, dialog.HeadingFont());
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  EXPECT_EQ(font.lfHeight, -Px(12));
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
  // The heading is larger than the dialog's text at any scale.
  EXPECT_GT(heading.tmHeight, body.tmHeight);
  EXPECT_EQ(bigIcon, dialog.Icon());
}
