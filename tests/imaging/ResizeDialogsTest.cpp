// The two resize dialogs driven as a user drives them: what they show, what they refuse, and the
// pictures their OK produces.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/Pictures.h"
#include "imaging/ZintImageResizeDialog.h"
#include "imaging/ZintImageResizeFastDialog.h"
#include "DialogRefusal.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Resize Image";

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

int TrackPosition(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }
std::pair<int, int> TrackRange(HWND dialog, int id) {
  return {int(SendDlgItemMessageW(dialog, id, TBM_GETRANGEMIN, 0, 0)),
          int(SendDlgItemMessageW(dialog, id, TBM_GETRANGEMAX, 0, 0))};
}
std::pair<int, int> SpinRange(HWND dialog, int id) {
  int lowest = 0, highest = 0;
  SendDlgItemMessageW(dialog, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
  return {lowest, highest};
}
// Moves the track bar as a drag would, which tells the dialog.
void SlideTo(HWND dialog, int id, int position) {
  HWND bar = GetDlgItem(dialog, id);
  SendMessageW(bar, TBM_SETPOS, TRUE, position);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(bar));
}

}  // namespace

TEST(ResizeDialog, OpensOnFiftyPercentAndItsSwitchesEnableTheirControls) {
  CZintImageResizeDialog dialog({L"C:\\none.jpg"});
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    EXPECT_EQ(Text(w, IDC_HEADING), L"Resize Image");
    EXPECT_TRUE(Checked(w, IDC_RESIZE_BY_PERCENT));
    EXPECT_FALSE(Checked(w, IDC_RESIZE_BY_SIZE));
    EXPECT_EQ(TrackRange(w, IDC_RESIZE_PERCENT_TRACK), std::make_pair(1, 100));
    EXPECT_EQ(TrackPosition(w, IDC_RESIZE_PERCENT_TRACK), 50);
    EXPECT_EQ(Text(w, IDC_RESIZE_PERCENT_TEXT), L"50%");
    EXPECT_EQ(TrackRange(w, IDC_RESIZE_QUALITY_TRACK), std::make_pair(1, 10));
    EXPECT_EQ(TrackPosition(w, IDC_RESIZE_QUALITY_TRACK), 8);
    EXPECT_EQ(Text(w, IDC_RESIZE_QUALITY_TEXT), L"8");
    EXPECT_EQ(Text(w, IDC_RESIZE_WIDTH), L"640");
    EXPECT_EQ(Text(w, IDC_RESIZE_HEIGHT), L"480");
    EXPECT_EQ(SpinRange(w, IDC_RESIZE_WIDTH_SPIN), std::make_pair(1, 32767));
    EXPECT_EQ(SpinRange(w, IDC_RESIZE_HEIGHT_SPIN), std::make_pair(1, 32767));
    EXPECT_FALSE(Checked(w, IDC_RESIZE_USE_QUALITY));
    EXPECT_FALSE(Checked(w, IDC_RESIZE_SAVE_JPEG));
    EXPECT_TRUE(Checked(w, IDC_OUTPUT_SEPARATE));
    EXPECT_EQ(Text(w, IDC_OUTPUT_FOLDER), L"Resized Images");

    const int sizeControls[] = {IDC_RESIZE_WIDTH_LABEL, IDC_RESIZE_WIDTH, IDC_RESIZE_HEIGHT_LABEL, IDC_RESIZE_HEIGHT};
    auto expectMode = [&](bool dimensions) {
      EXPECT_EQ(Enabled(w, IDC_RESIZE_PERCENT_TRACK), !dimensions);
      for (int id : sizeControls) EXPECT_EQ(Enabled(w, id), dimensions) << id;
    };
    expectMode(false);
    EXPECT_FALSE(Enabled(w, IDC_RESIZE_QUALITY_TRACK));
    EXPECT_TRUE(Enabled(w, IDC_OUTPUT_FOLDER));

    ClickNow(w, IDC_RESIZE_BY_SIZE);
    expectMode(true);
    ClickNow(w, IDC_RESIZE_BY_PERCENT);
    expectMode(false);
    ClickNow(w, IDC_RESIZE_USE_QUALITY);
    EXPECT_TRUE(Enabled(w, IDC_RESIZE_QUALITY_TRACK));
    ClickNow(w, IDC_OUTPUT_SEPARATE);
    EXPECT_FALSE(Enabled(w, IDC_OUTPUT_FOLDER));

    SlideTo(w, IDC_RESIZE_PERCENT_TRACK, 37);
    EXPECT_EQ(Text(w, IDC_RESIZE_PERCENT_TEXT), L"37%");
    SlideTo(w, IDC_RESIZE_QUALITY_TRACK, 3);
    EXPECT_EQ(Text(w, IDC_RESIZE_QUALITY_TEXT), L"3");
    Click(w, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);
}

TEST(ResizeDialog, RefusesBadFolderNamesAndSizesAndStaysOpen) {
  TempDir dir;
  std::wstring picture = MakeQuadrants(dir / L"p.png", 40, 40);
  CZintImageResizeDialog dialog({picture});
  std::vector<std::wstring> refusals;
  bool stayedOpen = false;
  DriveModal(dialog, kCaption, [&](HWND w) {
    for (const wchar_t* name : {L"", L" lead", L"a:b", L".."}) {
      SetText(w, IDC_OUTPUT_FOLDER, name);
      refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    }
    SetText(w, IDC_OUTPUT_FOLDER, L"Small");
    ClickNow(w, IDC_RESIZE_BY_SIZE);
    for (const wchar_t* width : {L"0", L""}) {
      SetText(w, IDC_RESIZE_WIDTH, width);
      refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    }
    // The refused box has the focus, for the user to mend it: the dialog moves it there once the
    // message box has gone, so it is awaited rather than read at once.
    HWND width = GetDlgItem(w, IDC_RESIZE_WIDTH);
    for (DWORD start = GetTickCount(); FocusOf(w) != width && GetTickCount() - start < 3000;) Sleep(20);
    EXPECT_EQ(FocusOf(w), width);
    SetText(w, IDC_RESIZE_WIDTH, L"20");
    SetText(w, IDC_RESIZE_HEIGHT, L"0");
    refusals.push_back(RefusalAfterOk(w, L"Brivane - Image Resize"));
    stayedOpen = IsWindowVisible(w) != FALSE;
    Click(w, IDCANCEL);
  });
  const std::wstring folder = L"Please Enter a Valid Folder Name", size = L"Please Enter a Valid Size";
  EXPECT_EQ(refusals, (std::vector<std::wstring>{folder, folder, folder, folder, size, size, size}));
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(Exists(dir / L"Small"));
}

TEST(ResizeDialog, DimensionsQualityAndJpegGiveTheLabelledPicture) {
  TempDir dir;
  std::wstring picture = MakeQuadrants(dir / L"Cat.png", 90, 60);
  CZintImageResizeDialog dialog({picture});
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    ClickNow(w, IDC_RESIZE_BY_SIZE);
    SetText(w, IDC_RESIZE_WIDTH, L"30");
    SetText(w, IDC_RESIZE_HEIGHT, L"20");
    ClickNow(w, IDC_RESIZE_USE_QUALITY);
    SlideTo(w, IDC_RESIZE_QUALITY_TRACK, 5);
    ClickNow(w, IDC_RESIZE_SAVE_JPEG);
    ClickNow(w, IDC_OUTPUT_SEPARATE);
    Click(w, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  const ResizeSettings& settings = dialog.Settings();
  EXPECT_EQ(settings.percent, -1);
  EXPECT_EQ(settings.quality, 5);
  EXPECT_TRUE(settings.folderName.empty());
  EXPECT_EQ(dialog.Result().status, 0);
  ASSERT_EQ(dialog.Result().outputs, PathList{dir / L"Cat_ZintResizer30x20Q5.jpg"});
  LoadedPicture result = ReadPicture(dir / L"Cat_ZintResizer30x20Q5.jpg");
  EXPECT_EQ(result.width, 30u);
  EXPECT_EQ(result.height, 20u);
}

TEST(ResizeDialog, PercentageIntoASeparateFolder) {
  TempDir dir;
  std::wstring picture = MakeQuadrants(dir / L"Cat.bmp", 80, 40);
  CZintImageResizeDialog dialog({picture});
  DriveModal(dialog, kCaption, [&](HWND w) {
    SlideTo(w, IDC_RESIZE_PERCENT_TRACK, 25);
    SetText(w, IDC_OUTPUT_FOLDER, L"Quarter");
    Click(w, IDOK);
  });
  EXPECT_EQ(dialog.Result().outputs, PathList{dir / L"Quarter"});
  LoadedPicture result = ReadPicture(dir / L"Quarter\\Cat.bmp");
  EXPECT_EQ(result.width, 20u);
  EXPECT_EQ(result.height, 10u);
}

TEST(ResizePresetDialog, AsksOnlyWhereTheResultsGo) {
  TempDir dir;
  std::wstring picture = MakeQuadrants(dir / L"Dog.png", 40, 40);
  {
    CZintImageResizeFastDialog cancelled({picture}, nullptr, 1.0, true);
    EXPECT_EQ(DriveModal(cancelled, kCaption, [](HWND w) { Click(w, IDCANCEL); }), IDCANCEL);
    EXPECT_FALSE(Exists(dir / L"Resized Images"));
  }
  CZintImageResizeFastDialog dialog({picture}, nullptr, 1.0, true);
  std::wstring refusal;
  DriveModal(dialog, kCaption, [&](HWND w) {
    EXPECT_EQ(Text(w, IDC_HEADING), L"Resize Image");
    EXPECT_TRUE(Checked(w, IDC_OUTPUT_SEPARATE));
    EXPECT_EQ(Text(w, IDC_OUTPUT_FOLDER), L"Resized Images");
    EXPECT_FALSE(GetDlgItem(w, IDC_RESIZE_PERCENT_TRACK));
    SetText(w, IDC_OUTPUT_FOLDER, L"a|b");
    refusal = RefusalAfterOk(w, L"Brivane - Image Resize");
    ClickNow(w, IDC_OUTPUT_SEPARATE);
    Click(w, IDOK);
  });
  EXPECT_EQ(refusal, L"Please Enter a Valid Folder Name");
  EXPECT_EQ(dialog.Result().status, 0);
  // "Convert to Jpeg": 100 % as JPEG beside the source.
  EXPECT_EQ(dialog.Result().outputs, PathList{dir / L"Dog_ZintResizer100%.jpg"});
  EXPECT_EQ(ReadPicture(dir / L"Dog_ZintResizer100%.jpg").width, 40u);
}

TEST(Screenshots, ResizeDialogs) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(421));
  CZintImageResizeDialog full({L"C:\\a.jpg"}, icon);
  DriveModal(full, kCaption, [&](HWND w) {
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-resize.png"));
    ClickNow(w, IDC_RESIZE_BY_SIZE);
    ClickNow(w, IDC_RESIZE_USE_QUALITY);
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-resize-dimensions.png"));
    Click(w, IDCANCEL);
  });
  CZintImageResizeFastDialog preset({L"C:\\a.jpg"}, icon);
  DriveModal(preset, kCaption, [&](HWND w) {
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-resize-preset.png"));
    Click(w, IDCANCEL);
  });
}
