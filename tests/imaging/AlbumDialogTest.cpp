// The album dialog: its choices, the order of the pictures, the preview's geometry and pixels, what it
// refuses, and the album its OK writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "DialogRefusal.h"
#include "imaging/AlbumDialogModel.h"
#include "imaging/ZintPdfAlbumDialog.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/PdfFacts.h"
#include "support/Pictures.h"
#include "support/Scale.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Image Album";

std::pair<int, int> SpinRange(HWND dialog, int id) {
  int lowest = 0, highest = 0;
  SendDlgItemMessageW(dialog, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
  return {lowest, highest};
}

// The preview's pixel at a point of its own area, as the screen shows it.
COLORREF PreviewPixel(HWND dialog, POINT at) {
  HWND preview = GetDlgItem(dialog, IDC_ALBUM_PREVIEW);
  RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Sleep(200);
  HDC dc = GetDC(preview);
  COLORREF pixel = GetPixel(dc, at.x, at.y);
  ReleaseDC(preview, dc);
  return pixel;
}

uint32_t PreviewArgb(HWND dialog, POINT at) {
  COLORREF pixel = PreviewPixel(dialog, at);
  return 0xFF000000u | uint32_t(GetRValue(pixel)) << 16 | uint32_t(GetGValue(pixel)) << 8 | GetBValue(pixel);
}

SIZE PreviewSize(HWND dialog) {
  RECT area;
  GetClientRect(GetDlgItem(dialog, IDC_ALBUM_PREVIEW), &area);
  return {area.right, area.bottom};
}


bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
}  // namespace

TEST(AlbumOrder, RandomAlphabetAndCreationDate) {
  TempDir dir;
  PathList selection = {dir.File(L"b.jpg"), dir.File(L"Apple.jpg"), dir.File(L"apple pie.jpg"), dir.File(L"a.jpg"),
                        dir.File(L"C.jpg")};
  std::mt19937 random(7);
  PathList alphabet = OrderAlbumPictures(selection, AlbumOrder::Alphabet, random);
  // Character by character: "apple pie" before "apple.jpg", as the space comes before the dot.
  EXPECT_EQ(alphabet, (PathList{dir / L"a.jpg", dir / L"apple pie.jpg", dir / L"Apple.jpg", dir / L"b.jpg", dir / L"C.jpg"}));
  EXPECT_TRUE(NameBefore(L"C:\\z\\app.jpg", L"C:\\a\\apple.jpg"));  // names only, a beginning first

  SetCreationTime(selection[0], 2020, 1, 1, 10, 0);
  SetCreationTime(selection[1], 2019, 5, 1, 10, 0);
  SetCreationTime(selection[2], 2021, 1, 1, 10, 0);
  SetCreationTime(selection[3], 2018, 1, 1, 10, 0);
  SetCreationTime(selection[4], 2019, 6, 1, 10, 0);
  EXPECT_EQ(OrderAlbumPictures(selection, AlbumOrder::CreationDate, random),
            (PathList{selection[3], selection[1], selection[4], selection[0], selection[2]}));

  // Random: every picture once, and not always the same order.
  std::vector<PathList> seen;
  for (int i = 0; i < 5; ++i) {
    PathList shuffled = OrderAlbumPictures(selection, AlbumOrder::Random, random);
    PathList sorted = shuffled;
    std::sort(sorted.begin(), sorted.end());
    PathList expected = selection;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    seen.push_back(shuffled);
  }
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](const PathList& order) { return order != seen[0]; }));
}

TEST(AlbumPreviewLayout, PageCellsMarginAndGapInPixels) {
  // At 150 % the preview area is half as large again, and so is everything in it: the same picture.
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    auto at = [dpi](RECT r) { return RECT{r.left * dpi / 96, r.top * dpi / 96, r.right * dpi / 96, r.bottom * dpi / 96}; };
    const SIZE area{220 * dpi / 96, 260 * dpi / 96};
    AlbumChoice choice;  // 2 x 2, gap 56 (4 pixels), margin 28 (4 pixels)
    PreviewLayout portrait = LayOutPreview(area, choice, dpi);
    EXPECT_TRUE(Same(portrait.page, at({10, 10, 210, 250})));
    ASSERT_EQ(portrait.cells.size(), 4u);
    // Cells 200 / 2 - 6 = 94 wide and 240 / 2 - 6 = 114 tall, 4 pixels in and 4 apart.
    EXPECT_TRUE(Same(portrait.cells[0], at({14, 14, 108, 128})));
    EXPECT_TRUE(Same(portrait.cells[1], at({112, 14, 206, 128})));
    EXPECT_TRUE(Same(portrait.cells[3], at({112, 132, 206, 246})));

    choice.landscape = true;
    choice.rows = 1;
    choice.cols = 3;
    PreviewLayout landscape = LayOutPreview(area, choice, dpi);
    EXPECT_TRUE(Same(landscape.page, at({10, 70, 210, 190})));
    EXPECT_EQ(landscape.cells.size(), 3u);
  }

  RECT fitted = FitInCell({0, 0, 100, 100}, {200, 100});
  EXPECT_TRUE(Same(fitted, {0, 25, 100, 75}));

  EXPECT_TRUE(GridHasRoom(AlbumChoice{}));
  AlbumChoice crowded;
  crowded.rows = 32;  // 841.89 / 32 - 56 < 0
  EXPECT_FALSE(GridHasRoom(crowded));
  crowded.rows = 0;
  EXPECT_FALSE(GridHasRoom(crowded));
}

TEST(AlbumDialog, OpensWithTheDefaultsAndThePreviewShowsThumbnails) {
  TempDir dir;
  PathList pictures = {MakeFlat(dir / L"red.jpg", 200, 150, kRed), MakeFlat(dir / L"green.jpg", 150, 200, kGreen),
                       MakeFlat(dir / L"blue.jpg", 100, 100, kBlue)};
  CZintPdfAlbumDialog dialog(pictures, nullptr, dir.path());
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    EXPECT_EQ(Text(w, IDC_HEADING), L"Image Album");
    EXPECT_EQ(Text(w, IDC_ALBUM_ROWS), L"2");
    EXPECT_EQ(Text(w, IDC_ALBUM_COLS), L"2");
    EXPECT_EQ(Text(w, IDC_ALBUM_GAP), L"56");
    EXPECT_EQ(Text(w, IDC_ALBUM_MARGIN), L"28");
    EXPECT_EQ(SpinRange(w, IDC_ALBUM_ROWS_SPIN), std::make_pair(1, 32));
    EXPECT_EQ(SpinRange(w, IDC_ALBUM_COLS_SPIN), std::make_pair(1, 32));
    EXPECT_EQ(SpinRange(w, IDC_ALBUM_GAP_SPIN), std::make_pair(0, 999));
    EXPECT_EQ(SpinRange(w, IDC_ALBUM_MARGIN_SPIN), std::make_pair(0, 999));
    std::vector<std::wstring> sizes = ComboEntries(w, IDC_ALBUM_PAGE_SIZE);
    ASSERT_EQ(sizes.size(), 17u);
    EXPECT_EQ(sizes[0], L"LETTER");
    EXPECT_EQ(sizes[16], L"320x464cm");
    EXPECT_EQ(SendDlgItemMessageW(w, IDC_ALBUM_PAGE_SIZE, CB_GETCURSEL, 0, 0), 3);
    EXPECT_FALSE(Checked(w, IDC_ALBUM_LANDSCAPE));
    EXPECT_FALSE(Checked(w, IDC_ALBUM_BORDERS));
    EXPECT_TRUE(Checked(w, IDC_ALBUM_OPTIMIZE));
    EXPECT_TRUE(Checked(w, IDC_ALBUM_RANDOM));

    ClickNow(w, IDC_ALBUM_ALPHABET);
    EXPECT_EQ(dialog.WorkingList(), (PathList{pictures[2], pictures[1], pictures[0]}));
    ASSERT_TRUE(dialog.Thumbnails()->WaitIdle(10000));
    // Blue, green and red in the first three cells; the fourth stays white; grey around the page.
    PreviewLayout layout = LayOutPreview(PreviewSize(w), dialog.Choice(), ScreenDpi());
    EXPECT_TRUE(Near(PreviewArgb(w, Centre(layout.cells[0])), kBlue));
    EXPECT_TRUE(Near(PreviewArgb(w, Centre(layout.cells[1])), kGreen));
    EXPECT_TRUE(Near(PreviewArgb(w, Centre(layout.cells[2])), kRed));
    EXPECT_EQ(PreviewPixel(w, Centre(layout.cells[3])), RGB(255, 255, 255));
    EXPECT_EQ(PreviewPixel(w, {3, 3}), RGB(0x80, 0x80, 0x80));

    // One column: the second picture moves below the first.
    SetText(w, IDC_ALBUM_COLS, L"1");
    layout = LayOutPreview(PreviewSize(w), dialog.Choice(), ScreenDpi());
    ASSERT_EQ(layout.cells.size(), 2u);
    EXPECT_TRUE(Near(PreviewArgb(w, Centre(layout.cells[1])), kGreen));
    // A zero is no number of columns: the preview keeps the last one.
    SetText(w, IDC_ALBUM_COLS, L"0");
    EXPECT_EQ(dialog.Choice().cols, 1);
    Click(w, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_FALSE(Exists(dir / L"PhotoAlbum.pdf"));
}

TEST(AlbumDialog, RefusesGridsWithoutRoomThenWritesTheAlbum) {
  TempDir dir;
  PathList pictures = {MakeQuadrants(dir / L"b.jpg", 120, 90), MakeQuadrants(dir / L"a.jpg", 90, 120),
                       MakeQuadrants(dir / L"c.jpg", 80, 80)};
  CZintPdfAlbumDialog dialog(pictures, nullptr, dir.path());
  std::vector<std::wstring> refusals;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND w) {
    auto refusal = [&] { refusals.push_back(RefusalAfterOk(w, kCaption)); };
    SetText(w, IDC_ALBUM_ROWS, L"0");
    refusal();
    SetText(w, IDC_ALBUM_ROWS, L"30");
    refusal();
    SetText(w, IDC_ALBUM_ROWS, L"1");
    SetText(w, IDC_ALBUM_COLS, L"2");
    SetText(w, IDC_ALBUM_MARGIN, L"10");
    ClickNow(w, IDC_ALBUM_LANDSCAPE);
    ClickNow(w, IDC_ALBUM_BORDERS);
    ClickNow(w, IDC_ALBUM_OPTIMIZE);
    ClickNow(w, IDC_ALBUM_ALPHABET);
    SendDlgItemMessageW(w, IDC_ALBUM_PAGE_SIZE, CB_SETCURSEL, 0, 0);  // "LETTER"
    Click(w, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(refusals, (std::vector<std::wstring>{L"Please Enter a Valid Number of Rows and Columns",
                                                  L"The page has no room for that many rows and columns with this "
                                                  L"gap and margin."}));
  const AlbumChoice& choice = dialog.Choice();
  EXPECT_EQ(choice.rows, 1);
  EXPECT_EQ(choice.cols, 2);
  EXPECT_EQ(choice.margin, 10);
  EXPECT_EQ(choice.sizeIndex, 0);
  EXPECT_TRUE(choice.landscape);
  EXPECT_FALSE(choice.optimize);
  EXPECT_EQ(dialog.Result().status, 0) << Narrow(dialog.Result().message);
  EXPECT_EQ(dialog.Result().outputs, PathList{dir / L"PhotoAlbum.pdf"});

  PdfReport pdf = ReadPdf(dir / L"PhotoAlbum.pdf");
  EXPECT_TRUE(pdf.checked) << pdf.log;
  EXPECT_EQ(pdf.pageSizes, (std::vector<std::string>{"792 x 612 pts", "792 x 612 pts"})) << pdf.log;
  // Alphabetical, each JPEG as it is: a.jpg (90 x 120) first.
  EXPECT_EQ(pdf.ImageList(), "1:90x120 jpeg, 1:120x90 jpeg, 2:80x80 jpeg");
}

TEST(Screenshots, AlbumDialog) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  TempDir dir;
  PathList pictures;
  for (int i = 0; i < 6; ++i)
    pictures.push_back(MakeQuadrants(dir / (L"photo" + std::to_wstring(i) + L".jpg"), i % 2 ? 160 : 240, i % 2 ? 240 : 160));
  CZintPdfAlbumDialog dialog(pictures, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(424)), dir.path());
  DriveModal(dialog, kCaption, [&](HWND w) {
    ClickNow(w, IDC_ALBUM_ALPHABET);
    dialog.Thumbnails()->WaitIdle(10000);
    SetText(w, IDC_ALBUM_COLS, L"3");
    ClickNow(w, IDC_ALBUM_BORDERS);
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-album.png"));
    ClickNow(w, IDC_ALBUM_LANDSCAPE);
    EXPECT_TRUE(SaveWindowPng(w, folder + L"\\imaging-album-landscape.png"));
    Click(w, IDCANCEL);
  });
}
