// "Brivane - Sort Desktop" driven as a user drives it: what it shows of the record, what OK writes
// back, the wallpaper tick, a colour from the palette and a font that stays after Cancel; screenshots.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "DesktopTestSupport.h"
#include "desktop/WallpaperPainter.h"
#include "desktop/ZintSortDesktopDialog.h"
#include "support/DialogProbe.h"
#include "support/Scale.h"
#include "support/Screenshot.h"
#include "support/WindowDriver.h"
#include "tools/explorer/ScreenCapture.h"
#include "ui/ColorPickerLayout.h"

namespace {

constexpr wchar_t kCaption[] = L"Brivane - Sort Desktop";

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// Moves a track bar as a drag would, telling the dialog.
void Slide(HWND dialog, int id, int position) {
  HWND track = GetDlgItem(dialog, id);
  SendMessageW(track, TBM_SETPOS, TRUE, position);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(track));
}

// The open palette of the dialog's thread, or null after a while.
HWND WaitForPalette(HWND dialog) {
  DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) -> BOOL {
          wchar_t name[32] = L"";
          GetClassNameW(window, name, 32);
          if (std::wstring(name) != L"ColorPicker" || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(param) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found) return found;
  }
  return nullptr;
}

// Opens the colour button's palette and walks it with the keys; Enter chooses. The palette follows the
// mouse too, so the keys come once the moves its opening causes are over.
void PickWithKeys(HWND dialog, int button, std::initializer_list<UINT> keys, const std::wstring& shot = L"") {
  // Out of the palette's way while it is open, and back afterwards for the programs that run next.
  POINT cursor{};
  GetCursorPos(&cursor);
  SetCursorPos(0, 0);
  struct PutBack {
    POINT at;
    ~PutBack() { SetCursorPos(at.x, at.y); }
  } putBack{cursor};
  PostMessageW(GetDlgItem(dialog, button), WM_KEYDOWN, VK_F4, 0);
  HWND palette = WaitForPalette(dialog);
  ASSERT_TRUE(palette);
  // Under Wine's X11 driver the dialog is drawn over the palette where they overlap, although the
  // palette comes first in the z-order: for the picture it is moved beside the dialog.
  if (!shot.empty()) {
    RECT place;
    GetWindowRect(dialog, &place);
    SetWindowPos(palette, nullptr, place.right + 8, place.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Sleep(300);
  for (UINT key : keys) SendMessageW(palette, WM_KEYDOWN, key, 0);
  if (!shot.empty()) {
    // The dialog and the palette over it in one picture.
    Sleep(200);
    RECT both, palettePlace;
    GetWindowRect(dialog, &both);
    GetWindowRect(palette, &palettePlace);
    UnionRect(&both, &both, &palettePlace);
    GdiplusSession gdiplus;
    std::wstring error;
    EXPECT_TRUE(SaveScreenPng(both, shot, error)) << Narrow(error);
  }
  SendMessageW(palette, WM_KEYDOWN, VK_RETURN, 0);
  for (DWORD start = GetTickCount(); IsWindow(palette) && GetTickCount() - start < 5000;) Sleep(10);
  EXPECT_FALSE(IsWindow(palette)) << "the palette stayed open";
}

TEST(SortDesktopDialog, OpensOnTheRecordAndOkWritesTheControlsBack) {
  DesktopSortSettings record = DefaultDesktopSortSettings();
  record.background1 = 0x00112233;  // shown without its alpha, written back opaque
  record.groupOpacity = 150;
  record.borderOpacity = 100;
  SetPreviousWallpaper(record, L"C:\\kept.bmp");
  CZintSortDesktopDialog dialog(record);
  INT_PTR answer = DriveModal(dialog, kCaption, [](HWND window) {
    EXPECT_EQ(Text(window, IDC_HEADING), L"Sort Desktop");
    EXPECT_EQ(Text(window, IDC_SORT_GROUP_OPACITY_TEXT), L"58%");
    EXPECT_EQ(Text(window, IDC_SORT_BORDER_OPACITY_TEXT), L"39%");
    // The record's 24-pixel font, in the points the font chooser shows for it at the screen's scale.
    EXPECT_EQ(Text(window, IDC_SORT_FONT_TEXT), ScreenDpi() == 144 ? L"Times new Roman, 12pt" : L"Times new Roman, 18pt");
    EXPECT_FALSE(Checked(window, IDC_SORT_USE_WALLPAPER));
    EXPECT_TRUE(Enabled(window, IDC_SORT_BACKGROUND1));
    Slide(window, IDC_SORT_GROUP_OPACITY, 20);
    EXPECT_EQ(Text(window, IDC_SORT_GROUP_OPACITY_TEXT), L"20%");
    Click(window, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  DesktopSortSettings expected = DefaultDesktopSortSettings();
  expected.background1 = 0xFF112233;
  expected.groupOpacity = 51;
  expected.borderOpacity = 99;
  SetPreviousWallpaper(expected, L"C:\\kept.bmp");
  EXPECT_EQ(BytesOf(record), BytesOf(expected));
}

TEST(SortDesktopDialog, TheWallpaperTickTurnsTheGradientOffAndCancelKeepsTheRecord) {
  DesktopSortSettings record = DefaultDesktopSortSettings();
  record.useWallpaper = 1;
  const std::vector<uint8_t> before = BytesOf(record);
  CZintSortDesktopDialog dialog(record);
  INT_PTR answer = DriveModal(dialog, kCaption, [](HWND window) {
    const int gradient[] = {IDC_SORT_BACKGROUND1, IDC_SORT_BACKGROUND2, IDC_SORT_BACKGROUND1_TEXT,
                            IDC_SORT_BACKGROUND2_TEXT};
    EXPECT_TRUE(Checked(window, IDC_SORT_USE_WALLPAPER));
    for (int id : gradient) EXPECT_FALSE(Enabled(window, id)) << id;
    EXPECT_TRUE(Enabled(window, IDC_SORT_GROUP1));
    ClickNow(window, IDC_SORT_USE_WALLPAPER);
    for (int id : gradient) EXPECT_TRUE(Enabled(window, id)) << id;
    Slide(window, IDC_SORT_BORDER_OPACITY, 3);
    Click(window, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(BytesOf(record), before);

  // Cleared and confirmed: the flag goes into the record.
  CZintSortDesktopDialog again(record);
  DriveModal(again, kCaption, [](HWND window) {
    ClickNow(window, IDC_SORT_USE_WALLPAPER);
    Click(window, IDOK);
  });
  EXPECT_EQ(record.useWallpaper, 0);
}

TEST(SortDesktopDialog, AColourChosenFromThePaletteGoesIntoTheRecord) {
  using color_picker::kPalette;
  DesktopSortSettings record = DefaultDesktopSortSettings();
  record.group2 = ColorrefToArgb(kPalette[9].color);
  record.border = 0x00000000;  // Blue Sky's border: black
  std::wstring shots = ScreenshotFolder();
  CZintSortDesktopDialog dialog(record);
  DriveModal(dialog, kCaption, [&](HWND window) {
    // The first key finds the current colour's swatch; the next moves one right.
    PickWithKeys(window, IDC_SORT_GROUP2, {VK_RIGHT, VK_RIGHT},
                 shots.empty() ? L"" : shots + L"\\sort-desktop-palette.png");
    // From black, one row down.
    PickWithKeys(window, IDC_SORT_BORDER_COLOR, {VK_DOWN, VK_DOWN});
    Click(window, IDOK);
  });
  EXPECT_EQ(record.group2, ColorrefToArgb(kPalette[10].color));
  EXPECT_EQ(record.border, ColorrefToArgb(kPalette[8].color));
}

TEST(SortDesktopDialog, AChosenFontStaysInTheRecordEvenWhenTheDialogIsCancelled) {
  DesktopSortSettings record = DefaultDesktopSortSettings();
  record.textColor = 0x80FFFFFF;
  CZintSortDesktopDialog dialog(record);
  std::wstring label;
  DriveModal(dialog, kCaption, [&](HWND window) {
    Click(window, IDC_SORT_FONT);
    HWND chooser = WaitForProcessWindow(L"Font");
    ASSERT_TRUE(chooser);
    // The colour list: index 9 is red.
    HWND colours = GetDlgItem(chooser, 0x473);
    SendMessageW(colours, CB_SETCURSEL, 9, 0);
    SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(0x473, CBN_SELCHANGE), reinterpret_cast<LPARAM>(colours));
    ClickNow(chooser, IDOK);
    for (DWORD start = GetTickCount(); IsWindow(chooser) && GetTickCount() - start < 5000;) Sleep(10);
    label = Text(window, IDC_SORT_FONT_TEXT);
    Click(window, IDCANCEL);
  });
  EXPECT_EQ(record.textColor, 0xFFFF0000u);
  EXPECT_EQ(label, FontLabelText(record.font, ScreenDpi()));
}

TEST(Screenshots, SortDesktopDialogAndGeneratedWallpaper) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  DesktopSortSettings record = DefaultDesktopSortSettings();
  ApplyDesktopTheme(cmd::SortDesktopBlueSky, record);
  CZintSortDesktopDialog dialog(record);
  DriveModal(dialog, kCaption, [&](HWND window) {
    EXPECT_TRUE(SaveWindowPng(window, folder + L"\\sort-desktop.png"));
    Click(window, IDCANCEL);
  });

  // The wallpaper a Blue Sky sort paints for a desktop of three system icons, two folders, a shortcut
  // and twenty files, on a 1280 x 1024 screen.
  std::vector<DesktopItem> items;
  auto add = [&](int32_t kind, const std::wstring& name) {
    DesktopItem item;
    item.kind = kind;
    item.name = name;
    items.push_back(item);
  };
  for (const wchar_t* name : {L"Computer", L"Recycle Bin", L"Network"}) add(desktop_kind::Virtual, name);
  add(desktop_kind::DesktopFolder, L"C:\\D\\Work");
  add(desktop_kind::DesktopFolder, L"C:\\D\\Photos");
  add(desktop_kind::File, L"C:\\D\\Mail.lnk");
  for (int i = 0; i < 20; ++i) add(desktop_kind::File, L"C:\\D\\file" + std::to_wstring(i) + L".txt");
  GdiplusSession gdiplus;
  auto canvas = WallpaperPainter::MakeCanvas(1280, 1024);
  {
    Gdiplus::Graphics graphics(canvas.get());
    HDC screen = GetDC(nullptr);
    WallpaperPainter painter(record, screen);
    ReleaseDC(nullptr, screen);
    painter.DrawBackground(graphics, 1280, 1024, false, L"", 0xFF000000);
    for (const GroupPlacement& group : LayOutDesktop(items, 1280, {64, 64})) painter.DrawGroup(graphics, group);
  }
  std::wstring bmp = folder + L"\\sort-desktop-wallpaper.bmp";
  EXPECT_TRUE(SaveCanvasAsBmp(*canvas, bmp));
}

}  // namespace
