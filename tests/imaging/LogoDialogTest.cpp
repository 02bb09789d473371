// The logo dialog: what it shows from the stored record (or the defaults), its switches, what it
// refuses, the record its OK stores and the pictures it stamps.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/GdiplusObjects.h"
#include "imaging/LogoSettings.h"
#include "imaging/ZintImageLogoDialog.h"
#include "DialogRefusal.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/Pictures.h"
#include "support/Scale.h"
#include "support/Screenshot.h"
#include "support/SettingsSandbox.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"
#include "tools/explorer/ScreenCapture.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Put Logo on Image";

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// The colour the button's face shows, read from the screen.
COLORREF ButtonFace(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_LOGO_BORDER_COLOR);
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Sleep(200);
  RECT client;
  GetClientRect(button, &client);
  HDC dc = GetDC(button);
  COLORREF pixel = GetPixel(dc, 10, client.bottom / 2);
  ReleaseDC(button, dc);
  return pixel;
}

}  // namespace

TEST(LogoDialog, AFirstUseShowsTheDefaultsAndTheSwitchesFollow) {
  SettingsSandbox sandbox;
  CZintImageLogoDialog dialog({L"C:\\none.jpg"});
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    EXPECT_EQ(Text(w, IDC_HEADING), L"Put Logo on Image");
    EXPECT_TRUE(Checked(w, IDC_LOGO_FROM_TEXT));
    EXPECT_FALSE(Checked(w, IDC_LOGO_FROM_IMAGE));
    EXPECT_TRUE(Checked(w, IDC_LOGO_TOP_LEFT));
    EXPECT_TRUE(Checked(w, IDC_LOGO_ADD_BORDER));
    EXPECT_FALSE(Checked(w, IDC_OUTPUT_SEPARATE));
    for (int id : {IDC_LOGO_IMAGE_PATH, IDC_LOGO_TEXT, IDC_OUTPUT_FOLDER}) EXPECT_EQ(Text(w, id), L"") << id;
    // The logo's 24-pixel font, in the points the font chooser shows for it at the screen's scale.
    EXPECT_EQ(Text(w, IDC_LOGO_FONT_TEXT), ScreenDpi() == 144 ? L"Times new Roman, 12pt" : L"Times new Roman, 18pt");
    EXPECT_EQ(ButtonFace(w), RGB(0xFF, 0x45, 0x00));

    EXPECT_FALSE(Enabled(w, IDC_LOGO_IMAGE_PATH));
    EXPECT_FALSE(Enabled(w, IDC_LOGO_BROWSE));
    EXPECT_TRUE(Enabled(w, IDC_LOGO_TEXT));
    EXPECT_TRUE(Enabled(w, IDC_LOGO_FONT));
    EXPECT_TRUE(Enabled(w, IDC_LOGO_BORDER_COLOR));
    EXPECT_FALSE(Enabled(w, IDC_OUTPUT_FOLDER));

    ClickNow(w, IDC_LOGO_FROM_IMAGE);
    EXPECT_TRUE(Enabled(w, IDC_LOGO_IMAGE_PATH));
    EXPECT_TRUE(Enabled(w, IDC_LOGO_BROWSE));
    EXPECT_FALSE(Enabled(w, IDC_LOGO_TEXT));
    EXPECT_FALSE(Enabled(w, IDC_LOGO_FONT));
    EXPECT_FALSE(Enabled(w, IDC_LOGO_FONT_TEXT));
    EXPECT_FALSE(Checked(w, IDC_LOGO_FROM_TEXT));
    ClickNow(w, IDC_LOGO_ADD_BORDER);
    EXPECT_FALSE(Enabled(w, IDC_LOGO_BORDER_COLOR));
    ClickNow(w, IDC_OUTPUT_SEPARATE);
    EXPECT_TRUE(Enabled(w, IDC_OUTPUT_FOLDER));
    // The position radios are one group, the output and border boxes stay as they are.
    ClickNow(w, IDC_LOGO_BOTTOM_RIGHT);
    EXPECT_FALSE(Checked(w, IDC_LOGO_TOP_LEFT));
    EXPECT_TRUE(Checked(w, IDC_OUTPUT_SEPARATE));
    Click(w, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_FALSE(ValueExists(L"LastPutLogoData"));  // nothing is stored without OK
}

TEST(LogoDialog, RefusesAMissingLogoAndABadFolderThenStoresAndStamps) {
  SettingsSandbox sandbox;
  TempDir dir;
  // A stored record: a picture logo (missing for now) at bottom right, blue frame.
  LogoSettings stored = DefaultLogoSettings();
  stored.useImage = 1;
  wcscpy(stored.imagePath, (dir / L"logo.png").c_str());
  stored.position = 8;
  stored.borderColor = 0xFF0000FF;
  ASSERT_TRUE(SaveLogoSettings(stored));
  std::wstring picture = MakeQuadrants(dir / L"cat.png", 200, 160);

  CZintImageLogoDialog dialog({picture});
  std::vector<std::wstring> refusals;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    EXPECT_TRUE(Checked(w, IDC_LOGO_FROM_IMAGE));
    EXPECT_TRUE(Checked(w, IDC_LOGO_BOTTOM_RIGHT));
    EXPECT_EQ(ButtonFace(w), RGB(0, 0, 0xFF));
    refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    SetText(w, IDC_LOGO_IMAGE_PATH, L"");
    refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    MakeFlat(dir / L"logo.png", 40, 30, kBlack);
    SetText(w, IDC_LOGO_IMAGE_PATH, dir / L"logo.png");
    ClickNow(w, IDC_OUTPUT_SEPARATE);
    SetText(w, IDC_OUTPUT_FOLDER, L"bad|name");
    refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    ClickNow(w, IDC_OUTPUT_SEPARATE);  // off again: the typed name is kept in the record only
    SetText(w, IDC_LOGO_TEXT, L"kept for next time");
    Click(w, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(refusals, (std::vector<std::wstring>{L"Image Logo File Does not Exists", L"Image Logo File Does not Exists",
                                                  L"Please Enter a Valid Folder Name"}));
  EXPECT_EQ(dialog.Result().status, 0);
  ASSERT_EQ(dialog.Result().outputs, PathList{dir / L"cat_plus_logo_BR.png"});
  LoadedPicture stamped = ReadPicture(dir / L"cat_plus_logo_BR.png");
  EXPECT_EQ(stamped.At(15, 80), 0xFF0000FFu);  // the stored blue frame
  EXPECT_EQ(stamped.At(145, 115), kBlack);     // the logo at (140, 110)

  LogoSettings saved = DefaultLogoSettings();
  ASSERT_TRUE(LoadLogoSettings(saved));
  EXPECT_EQ(saved.position, 8);
  EXPECT_EQ(saved.useImage, 1);
  EXPECT_EQ(saved.separateFolder, 0);
  EXPECT_EQ(saved.borderColor, 0xFF0000FFu);
  EXPECT_EQ(std::wstring(saved.folderName), L"bad|name");
  EXPECT_EQ(std::wstring(saved.text), L"kept for next time");
  EXPECT_EQ(std::wstring(saved.imagePath), dir / L"logo.png");
}

TEST(LogoDialog, TheFrameTakesTheColourChosenFromThePalette) {
  SettingsSandbox sandbox;
  TempDir dir;
  std::wstring picture = MakeQuadrants(dir / L"cat.png", 120, 100);
  CZintImageLogoDialog dialog({picture});
  DriveModal(dialog, kCaption, [&](HWND w) {
    SetText(w, IDC_LOGO_TEXT, L"x");
    Click(w, IDC_LOGO_BORDER_COLOR);
    HWND palette = nullptr;
    for (DWORD start = GetTickCount(); !palette && GetTickCount() - start < 5000; Sleep(20))
      palette = FindWindowW(L"ColorPicker", nullptr);
    ASSERT_TRUE(palette);
    // From the orange-red, which is none of the named colours, "More Colors..." is current: down to
    // "Automatic", down to the first swatch, black.
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(palette, WM_KEYDOWN, key, 0);
    for (DWORD start = GetTickCount(); IsWindow(palette) && GetTickCount() - start < 5000;) Sleep(20);
    EXPECT_EQ(ButtonFace(w), RGB(0, 0, 0));
    Click(w, IDOK);
  });
  EXPECT_EQ(dialog.Result().status, 0);
  EXPECT_EQ(dialog.Settings().borderColor, 0xFF000000u);
  EXPECT_EQ(ReadPicture(dir / L"cat_plus_logo_TL.png").At(15, 50), kBlack);
}

TEST(LogoDialog, FontLabelsAndColours) {
  LOGFONTW font = DefaultLogoSettings().font;
  EXPECT_EQ(FontLabel(font, 96), L"Times new Roman, 18pt");
  EXPECT_EQ(FontLabel(font, 120), L"Times new Roman, 14pt");
  font.lfHeight = -16;
  lstrcpyW(font.lfFaceName, L"Tahoma");
  EXPECT_EQ(FontLabel(font, 96), L"Tahoma, 12pt");
  EXPECT_EQ(ArgbToColorref(0xFFFF4500), RGB(0xFF, 0x45, 0x00));
  EXPECT_EQ(ColorrefToArgb(RGB(1, 2, 3)), 0xFF010203u);
}

TEST(Screenshots, LogoDialog) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  SettingsSandbox sandbox;
  CZintImageLogoDialog dialog({L"C:\\a.jpg"}, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(457)));
  DriveModal(dialog, kCaption, [&](HWND w) {
    SetText(w, IDC_LOGO_TEXT, L"© Brivane");
    ClickNow(w, IDC_LOGO_BOTTOM_RIGHT);
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-logo.png"));
    // The frame's colour palette open, moved beside the dialog (Wine's X11 driver would draw the dialog
    // over it where they overlap), in one picture with the dialog.
    Click(w, IDC_LOGO_BORDER_COLOR);
    HWND palette = nullptr;
    for (DWORD start = GetTickCount(); !palette && GetTickCount() - start < 5000; Sleep(20))
      palette = FindWindowW(L"ColorPicker", nullptr);
    ASSERT_TRUE(palette);
    RECT both, place;
    GetWindowRect(w, &both);
    SetWindowPos(palette, nullptr, both.right + 8, both.top + 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(300);
    GetWindowRect(palette, &place);
    UnionRect(&both, &both, &place);
    {
      gdip::Session gdiplus;
      std::wstring error;
      EXPECT_TRUE(SaveScreenPng(both, folder + L"\\imaging-logo-palette.png", error)) << Narrow(error);
    }
    PostMessageW(palette, WM_KEYDOWN, VK_ESCAPE, 0);
    for (DWORD start = GetTickCount(); IsWindow(palette) && GetTickCount() - start < 5000;) Sleep(20);
    Click(w, IDCANCEL);
  });
}
