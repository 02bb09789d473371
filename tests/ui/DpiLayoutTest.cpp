// The shared dialog look at 100 %, 150 % and 200 %: the heading font, the banner, the scaled bitmaps,
// the small-icon size; and that a scaled CTest run really runs at its scale.
#include <gtest/gtest.h>

#include "atl/Module.h"
#include "resource.h"
#include "support/Scale.h"
#include "ui/DialogDecor.h"
#include "ui/Dpi.h"

TEST(Dpi, ScalesLengthsToTheNearestPixelAndKeepsThemAt96) {
  struct Row {
    int pixels, dpi, scaled;
  };
  const Row rows[] = {
      {460, 96, 460}, {13, 96, 13},  {0, 144, 0},    {13, 144, 20},  {25, 144, 38}, {35, 144, 53}, {5, 144, 8},
      {-5, 144, -8},  {1, 120, 1},   {13, 192, 26},  {460, 192, 920}, {12, 288, 36}, {7, 0, 7},     {7, -1, 7},
  };
  for (const Row& row : rows) EXPECT_EQ(ScaleForDpi(row.pixels, row.dpi), row.scaled) << row.pixels << " at " << row.dpi;
}

TEST(Dpi, HeadingFontIsTahomaBoldInTheDefaultCharacterSetAndLargerThanTheDialogText) {
  for (int dpi : {96, 144, 192}) {
    LOGFONTW font = HeadingLogFont(dpi);
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfHeight, -ScaleForDpi(12, dpi)) << dpi;
    // The dialogs' text is "MS Shell Dlg" 8 points.
    EXPECT_GT(-font.lfHeight, MulDiv(8, dpi, 72)) << dpi;
  }
}

// Windows' font mapper ranks the character set above the face name; Wine's maps Tahoma the same way
// whatever the set, so here the font is checked for what the mapper handed back: a scalable font of
// the scaled height, not a raster one.
TEST(Dpi, HeadingFontMapsToAScalableFontOfTheScaledHeight) {
  for (int dpi : {96, 144}) {
    UniqueFont font = CreateHeadingFont(dpi);
    ASSERT_TRUE(font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE) << dpi;
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, ScaleForDpi(12, dpi)) << dpi;
  }
}

TEST(Dpi, BannerReachesPastTheEdgesByFiveScaledPixels) {
  struct Row {
    int dpi;
    RECT banner;  // for a window 400 pixels wide, 60 scaled pixels tall
  };
  const Row rows[] = {{96, {-5, -5, 405, 55}}, {144, {-8, -8, 408, 82}}, {192, {-10, -10, 410, 110}}};
  for (const Row& row : rows) {
    RECT banner = BannerRect(400, ScaleForDpi(kBannerHeight, row.dpi), row.dpi);
    EXPECT_TRUE(EqualRect(&banner, &row.banner))
        << row.dpi << ": " << banner.left << "," << banner.top << "," << banner.right << "," << banner.bottom;
  }
}

TEST(Dpi, BannerPicturesStretchAndStay96DpiSizeAt96) {
  HBITMAP product =
      static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDB_PRODUCT), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(product, nullptr);
  EXPECT_FALSE(BitmapForDpi(product, 96));  // shown as it is
  for (int dpi : {144, 192}) {
    UniqueBitmap scaled = BitmapForDpi(product, dpi);
    ASSERT_TRUE(scaled) << dpi;
    BITMAP info{};
    GetObjectW(scaled.get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, ScaleForDpi(48, dpi));
    EXPECT_EQ(abs(info.bmHeight), ScaleForDpi(48, dpi));
    // The picture itself, not an empty square: its centre keeps the original's colour.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, product);
    COLORREF before = GetPixel(dc, 24, 24);
    SelectObject(dc, scaled.get());
    COLORREF after = GetPixel(dc, info.bmWidth / 2, info.bmWidth / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_NEAR(GetRValue(after), GetRValue(before), 40) << dpi;
    EXPECT_NEAR(GetGValue(after), GetGValue(before), 40) << dpi;
    EXPECT_NEAR(GetBValue(after), GetBValue(before), 40) << dpi;
  }
  DeleteObject(product);
}

TEST(Dpi, SmallIconSizeFollowsTheDpi) {
  EXPECT_EQ(SmallIconSize(96), 16);
  EXPECT_EQ(SmallIconSize(144), 24);
  EXPECT_EQ(SmallIconSize(192), 32);
}

// CTest starts the window-test programs a second time at 144 DPI; that run must really be at 144.
TEST(Dpi, ProgramRunsAtTheScaleItWasStartedFor) {
  if (!ExpectedDpi()) GTEST_SKIP() << "BRIVANE_EXPECT_DPI not set";
  EXPECT_EQ(ScreenDpi(), ExpectedDpi());
}
