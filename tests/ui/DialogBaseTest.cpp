// The dialog stand-in and the shared base: finding the object again, modeless keyboard navigation,
// the banner and the heading font.
#include <gtest/gtest.h>

#include "resource.h"
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

TEST(DialogBase, BannerHeadingFontAndIcon) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PRODUCT));
  ASSERT_NE(icon, nullptr);
  CZintErrorDialog dialog(L"Brivane - Split Operation Error", L"Not enough room on the disk.");
  dialog.SetIcon(icon);
  EXPECT_NE(dialog.Icon(), icon);  // a duplicate of its own
  LOGFONTW font{};
  GetObjectW(dialog.HeadingFont(), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfCharSet, 255);

  RECT banner{}, window{};
  HFONT headingFont = nullptr;
  HICON bigIcon = nullptr;
  WindowDriver driver(L"Brivane - Split Operation Error", [&](HWND shown) {
    banner = ChildRect(shown, IDC_BANNER);
    GetWindowRect(shown, &window);
    headingFont = reinterpret_cast<HFONT>(SendDlgItemMessageW(shown, IDC_HEADING, WM_GETFONT, 0, 0));
    bigIcon = reinterpret_cast<HICON>(SendMessageW(shown, WM_GETICON, ICON_BIG, 0));
    Click(shown, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  driver.join();
  EXPECT_EQ(banner.left, -5);
  EXPECT_EQ(banner.top, -5);
  EXPECT_EQ(banner.right - banner.left, window.right - window.left + 10);
  EXPECT_EQ(banner.bottom - banner.top, 60);
  EXPECT_EQ(headingFont, dialog.HeadingFont());
  EXPECT_EQ(bigIcon, dialog.Icon());
}
