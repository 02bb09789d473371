// The wallpaper: the system's wallpaper values, the generated picture checked by its pixels, and the
// pictures-folder file with its backup.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DesktopTestSupport.h"
#include "desktop/WallpaperFile.h"
#include "desktop/WallpaperPainter.h"
#include "desktop/WallpaperSettings.h"

namespace {

TEST(WallpaperValues, StyleCodesReadAndWriteAsTheSystemKeepsThem) {
  DesktopSandbox sandbox;
  struct Pair {
    const wchar_t* style;
    const wchar_t* tile;
    int code;
  };
  for (const Pair& pair : {Pair{L"1", L"1", 1}, Pair{L"0", L"0", 0}, Pair{L"2", L"0", 2}, Pair{L"2", L"1", 0},
                           Pair{L"10", L"0", 0}, Pair{L"", L"", 0}}) {
    PutWallpaperValues(L"x.bmp", pair.style, pair.tile);
    EXPECT_EQ(GetWallpaperStyle(), pair.code) << Narrow(pair.style) << "/" << Narrow(pair.tile);
  }
  for (const Pair& pair : {Pair{L"0", L"0", 0}, Pair{L"1", L"1", 1}, Pair{L"2", L"0", 2}, Pair{L"0", L"0", 7}}) {
    SetWallpaperStyle(pair.code);
    EXPECT_EQ(DesktopValue(L"WallpaperStyle"), pair.style) << pair.code;
    EXPECT_EQ(DesktopValue(L"TileWallpaper"), pair.tile) << pair.code;
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Control Panel\\Desktop");
  EXPECT_EQ(GetWallpaperStyle(), 0);
}

TEST(WallpaperValues, TheDesktopColourIsThreeNumbersEachModulo256) {
  struct Row {
    const wchar_t* text;
    uint32_t argb;
  };
  for (const Row& row : {Row{L"37 111 149", 0xFF256F95}, Row{L"300 -1 7", 0xFF2CFF07}, Row{L"1 2", 0xFF010200},
                         Row{L"", 0xFF000000}, Row{L"  9\t8  7 6", 0xFF090807}, Row{L"x 5 y", 0xFF000500}})
    EXPECT_EQ(ParseBackgroundColor(row.text), row.argb) << Narrow(row.text);

  DesktopSandbox sandbox;
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Control Panel\\Colors");
  EXPECT_EQ(GetSystemBackgroundColor(), 0xFF000000u);
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", L"Background", REG_SZ, L"37 111 149", 22);
  EXPECT_EQ(GetSystemBackgroundColor(), 0xFF256F95u);
}

TEST(WallpaperValues, ThePreviousWallpaperIsTheRecordsOrElseTheCurrentOneWhole) {
  DesktopSandbox sandbox;
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  PutWallpaperValues(L"C:\\now.jpg", L"0", L"0");
  EXPECT_EQ(GetPreviousWallpaperPath(settings), L"C:\\now.jpg");
  EXPECT_EQ(PreviousWallpaper(settings), L"C:\\now.jpg");

  // A redo keeps the first sort's wallpaper even after the generated one took its place.
  PutWallpaperValues(L"C:\\Pictures\\BrivaneWallpaper.bmp", L"1", L"1");
  EXPECT_EQ(GetPreviousWallpaperPath(settings), L"C:\\now.jpg");

  // Too long for the record: the sort still gets it whole, and the record keeps no cut copy.
  std::wstring longPath = L"C:\\" + std::wstring(300, L'n') + L".bmp";
  PutWallpaperValues(longPath, L"0", L"0");
  DesktopSortSettings fresh = DefaultDesktopSortSettings();
  EXPECT_EQ(GetPreviousWallpaperPath(fresh), longPath);
  EXPECT_EQ(PreviousWallpaper(fresh), L"");

  RegDeleteTreeW(HKEY_CURRENT_USER, L"Control Panel\\Desktop");
  EXPECT_EQ(GetPreviousWallpaperPath(fresh), L"");
}

// The generated picture, drawn on a canvas of its own and read back pixel by pixel.
class WallpaperPixels : public testing::Test {
 protected:
  static constexpr int kWidth = 400, kHeight = 300;

  void SetUp() override { ASSERT_TRUE(gdiplus_.Running()); }

  void Paint(const DesktopSortSettings& settings, bool useWallpaper = false, const std::wstring& wallpaper = L"",
             int canvasWidth = kWidth) {
    canvas_ = WallpaperPainter::MakeCanvas(canvasWidth, kHeight);
    Gdiplus::Graphics graphics(canvas_.get());
    HDC screen = GetDC(nullptr);
    WallpaperPainter painter(settings, screen);
    ReleaseDC(nullptr, screen);
    painter.DrawBackground(graphics, kWidth, kHeight, useWallpaper, wallpaper, 0xFF256F95);
    for (const GroupPlacement& group : groups_) painter.DrawGroup(graphics, group);
    fontHeight_ = painter.FontHeight(graphics);
  }

  ::testing::AssertionResult Near(int x, int y, uint32_t rgb, int tolerance = 3) {
    Gdiplus::Color color;
    canvas_->GetPixel(x, y, &color);
    int expected[] = {int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF};
    int actual[] = {color.GetR(), color.GetG(), color.GetB()};
    for (int i = 0; i < 3; ++i)
      if (std::abs(expected[i] - actual[i]) > tolerance)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << actual[0] << " " << actual[1]
                                             << " " << actual[2];
    return ::testing::AssertionSuccess();
  }

  // A picture file: its top-left part (w x h) in one colour, the rest in another.
  std::wstring MakePicture(int width, int height, int w, int h, uint32_t inside, uint32_t outside) {
    Gdiplus::Bitmap picture(width, height, PixelFormat24bppRGB);
    Gdiplus::Graphics graphics(&picture);
    graphics.Clear(Gdiplus::Color(outside));
    Gdiplus::SolidBrush brush{Gdiplus::Color(inside)};
    graphics.FillRectangle(&brush, 0, 0, w, h);
    std::wstring path = dir_ / (L"picture" + std::to_wstring(width) + L".bmp");
    EXPECT_TRUE(SaveCanvasAsBmp(picture, path));
    return path;
  }

  GdiplusSession gdiplus_;
  TempDir dir_;
  std::unique_ptr<Gdiplus::Bitmap> canvas_;
  std::vector<GroupPlacement> groups_;
  int fontHeight_ = 0;
};

TEST_F(WallpaperPixels, TheGradientRunsCornerToCornerAndTheRestKeepsTheDesktopColour) {
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  settings.background1 = 0xFFFF0000;
  settings.background2 = 0xFF0000FF;
  Paint(settings, false, L"", kWidth + 100);  // a second screen to the right of the primary one
  EXPECT_TRUE(Near(1, 1, 0xFF0000));
  EXPECT_TRUE(Near(kWidth - 1, kHeight - 1, 0x0000FF));
  EXPECT_TRUE(Near(kWidth / 2, kHeight / 2, 0x800080, 6));
  EXPECT_TRUE(Near(kWidth + 50, 10, 0x256F95, 0));
}

TEST_F(WallpaperPixels, APanelBlendsItsColourByTheOpacityAndTheLabelShowsAboveIt) {
  std::vector<DesktopItem> items(3);
  for (DesktopItem& item : items) item.kind = desktop_kind::File;
  groups_ = LayOutDesktop(items, kWidth, {64, 120});
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  settings.background1 = settings.background2 = 0xFF000000;
  settings.group1 = settings.group2 = 0x00FF8000;  // the record's alpha byte is not used
  settings.groupOpacity = 128;
  settings.border = 0x0000FF00;
  settings.borderOpacity = 255;
  settings.textColor = 0xFFFFFFFF;
  Paint(settings);

  const PanelRect& panel = groups_[0].panel;
  EXPECT_EQ(panel.left, 32);
  EXPECT_EQ(panel.top, 88);
  EXPECT_TRUE(Near(panel.left + panel.width / 2, panel.top + panel.height / 2, 0x804000));
  EXPECT_TRUE(Near(panel.left, panel.top + panel.height / 2, 0x00FF00, 0));  // the border, 4 pixels wide
  EXPECT_TRUE(Near(panel.left + panel.width + 1, panel.top + 10, 0x00FF00, 0));
  EXPECT_TRUE(Near(panel.left + 8, panel.top + 10, 0x804000));

  // "Files" in white above the panel, on the black background.
  ASSERT_GT(fontHeight_, 10);
  POINT label = LabelOrigin(groups_[0], fontHeight_);
  int white = 0;
  for (int y = label.y; y < label.y + fontHeight_; ++y)
    for (int x = label.x; x < label.x + 80; ++x) {
      Gdiplus::Color color;
      canvas_->GetPixel(x, y, &color);
      if (color.GetR() > 240 && color.GetG() > 240 && color.GetB() > 240) ++white;
    }
  EXPECT_GT(white, 30);
  EXPECT_TRUE(Near(label.x + 150, label.y + fontHeight_ / 2, 0x000000, 0));  // nothing past the word
}

TEST_F(WallpaperPixels, TheBorderOpacityAndAnOpaqueGroupColour) {
  std::vector<DesktopItem> items(1);
  items[0].kind = desktop_kind::Virtual;
  groups_ = LayOutDesktop(items, kWidth, {64, 120});
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  settings.background1 = settings.background2 = 0xFFFFFFFF;
  settings.group1 = 0xFF0000FF;
  settings.group2 = 0xFF00FF00;
  settings.groupOpacity = 255;
  settings.border = 0xFFFF0000;
  settings.borderOpacity = 0;
  Paint(settings);
  const PanelRect& panel = groups_[0].panel;
  // The group gradient runs left to right; an invisible border leaves the panel's own colour.
  EXPECT_TRUE(Near(panel.left + 3, panel.top + 20, 0x0000FF, 8));
  EXPECT_TRUE(Near(panel.left + panel.width - 3, panel.top + 20, 0x00FF00, 8));
  EXPECT_TRUE(Near(panel.left + panel.width + 1, panel.top + 20, 0xFFFFFF, 0));
}

TEST_F(WallpaperPixels, TheWallpaperShowsItsScreenSizedCornerOrIsStretched) {
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  // Larger than the screen: its top-left screen-sized part, unscaled.
  Paint(settings, true, MakePicture(2 * kWidth, 2 * kHeight, kWidth, kHeight, 0xFFFF0000, 0xFF00FF00));
  EXPECT_TRUE(Near(0, 0, 0xFF0000, 0));
  EXPECT_TRUE(Near(kWidth - 1, kHeight - 1, 0xFF0000, 0));
  // Smaller: stretched over the whole screen.
  Paint(settings, true, MakePicture(kWidth / 2, kHeight / 2, kWidth / 4, kHeight / 2, 0xFFFF0000, 0xFF00FF00));
  EXPECT_TRUE(Near(kWidth / 4, kHeight / 2, 0xFF0000, 0));
  EXPECT_TRUE(Near(3 * kWidth / 4, kHeight / 2, 0x00FF00, 0));
  // A wallpaper that cannot be loaded leaves the desktop colour.
  Paint(settings, true, dir_ / L"missing.bmp");
  EXPECT_TRUE(Near(kWidth / 2, kHeight / 2, 0x256F95, 0));
}

// The pictures-folder file and its backup.
class WallpaperFileTest : public testing::Test {
 protected:
  std::function<bool(const std::wstring&)> Writes(const std::string& bytes, bool result = true) {
    return [this, bytes, result](const std::wstring& path) {
      ++writes_;
      dir_.File(path.substr(dir_.path().size() + 1), bytes);
      return result;
    };
  }
  TempDir dir_;
  std::wstring pictures_ = dir_.Folder(L"Pictures");
  std::wstring temp_ = dir_.Folder(L"Temp");
  std::wstring target_ = pictures_ + L"\\BrivaneWallpaper.bmp";
  int writes_ = 0;
};

TEST_F(WallpaperFileTest, TheUsersFileComesBackByteForByteAndTheBackupGoes) {
  const std::string users(70000, '\x5A');
  dir_.File(L"Pictures\\BrivaneWallpaper.bmp", users + "end");
  {
    WallpaperFile file(pictures_, temp_);
    ASSERT_TRUE(file.Replace(Writes("generated")));
    EXPECT_TRUE(file.ReplacedExisting());
    EXPECT_EQ(ReadBytes(target_), "generated");
    EXPECT_EQ(ReadBytes(temp_ + L"\\BrivaneWallpaper.bmp"), users + "end");
    file.Restore();
    EXPECT_EQ(ReadBytes(target_), users + "end");
  }
  EXPECT_FALSE(Exists(temp_ + L"\\BrivaneWallpaper.bmp"));

  // Kept: the new picture stays, the backup goes.
  {
    WallpaperFile file(pictures_, temp_);
    ASSERT_TRUE(file.Replace(Writes("kept")));
  }
  EXPECT_EQ(ReadBytes(target_), "kept");
  EXPECT_FALSE(Exists(temp_ + L"\\BrivaneWallpaper.bmp"));
}

TEST_F(WallpaperFileTest, AFileTheSortMadeIsRemovedByTheUndo) {
  WallpaperFile file(pictures_, temp_);
  ASSERT_TRUE(file.Replace(Writes("generated")));
  EXPECT_FALSE(file.ReplacedExisting());
  file.Restore();
  EXPECT_FALSE(Exists(target_));
}

TEST_F(WallpaperFileTest, WithoutACheckedBackupTheUsersFileIsNotWrittenOver) {
  dir_.File(L"Pictures\\BrivaneWallpaper.bmp", "mine");
  for (const std::wstring& temp : {dir_ / L"no such folder", std::wstring()}) {
    WallpaperFile file(pictures_, temp);
    EXPECT_FALSE(file.Replace(Writes("generated")));
    file.Restore();
  }
  EXPECT_EQ(writes_, 0);
  EXPECT_EQ(ReadBytes(target_), "mine");

  // A write that fails half way leaves the user's file as it was.
  WallpaperFile file(pictures_, temp_);
  EXPECT_FALSE(file.Replace(Writes("half", false)));
  EXPECT_EQ(ReadBytes(target_), "mine");

  // No pictures folder: nothing to write to.
  WallpaperFile none(L"", temp_);
  EXPECT_FALSE(none.HasTarget());
  EXPECT_FALSE(none.Replace(Writes("x")));
}

}  // namespace
