#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

#include "atl/Handles.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/menu/CommandTable.h"
#include "shellext/menu/IconCache.h"
#include "shellext/menu/MenuBitmap.h"

namespace {

std::vector<uint32_t> TopDownPixels(HBITMAP bitmap) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  std::vector<uint32_t> pixels(256);
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, 16, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != 16) pixels.clear();
  return pixels;
}

// An icon image as an RT_ICON resource holds it: header, colour pixels bottom-up, then the mask.
std::vector<BYTE> IconImage(int width, int height, WORD bits, const std::vector<uint32_t>& bottomUp) {
  BITMAPINFOHEADER header{sizeof header, width, 2 * height, 1, bits, BI_RGB};
  // The AND mask follows: one 32-bit aligned row per line.
  std::vector<BYTE> image(sizeof header + bottomUp.size() * 4 + size_t(height) * 4, 0);
  std::memcpy(image.data(), &header, sizeof header);
  std::memcpy(image.data() + sizeof header, bottomUp.data(), bottomUp.size() * 4);
  return image;
}

TEST(CommandTable, LabelsAndSlotsFollowTheCommandNumbers) {
  CommandTable table;
  EXPECT_EQ(table.labels.size(), 54u);  // 64 commands less the ten recent folders
  EXPECT_EQ(table.labels.at(0), L"Menu Separator");
  EXPECT_EQ(table.labels.at(24), L"Rename - Make All Same Name");
  EXPECT_EQ(table.labels.at(63), L"Manage Favorites");
  EXPECT_EQ(table.labels.count(52), 0u);
  EXPECT_EQ(table.iconIndex.at(25), 30);
  EXPECT_EQ(table.iconIndex.at(56), 1);
  EXPECT_EQ(table.iconIndex.at(61), 24);
  EXPECT_EQ(IconResourceOfSlot(16), 413);
  EXPECT_EQ(IconResourceOfSlot(30), 413);
  EXPECT_EQ(IconResourceOfSlot(kProductIconSlot), 402);
  EXPECT_EQ(IconResourceOfSlot(44), 0);
}

TEST(CommandTable, LoadsEveryIconAndMakesA32BitMenuBitmap) {
  CommandTable table;
  EXPECT_EQ(table.SlotIcon(0), nullptr);
  for (int slot = 1; slot <= 43; ++slot) {
    SCOPED_TRACE(slot);
    ASSERT_NE(table.SlotIcon(slot), nullptr);
    HBITMAP bitmap = table.SlotBitmap(slot);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 16);
    EXPECT_EQ(info.bmBitsPixel, 32);
  }
  EXPECT_EQ(table.SlotIcon(44), nullptr);
  EXPECT_EQ(table.CommandIcon(cmd::Copy), table.SlotIcon(1));
}

// The bitmaps come straight from the icon resources; they must be the very bytes that GDI+ makes of the
// loaded icons.
TEST(CommandTable, MenuBitmapsAreTheBytesGdiplusMakesOfTheIcons) {
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr), Gdiplus::Ok);
  CommandTable table;
  for (int slot = 1; slot <= 43; ++slot) {
    SCOPED_TRACE(slot);
    UniqueBitmap reference(MenuBitmapThroughGdiplus(table.SlotIcon(slot)));
    ASSERT_TRUE(reference);
    std::vector<uint32_t> made = TopDownPixels(table.SlotBitmap(slot));
    ASSERT_EQ(made.size(), 256u);
    EXPECT_EQ(made, TopDownPixels(reference.get()));
  }
  Gdiplus::GdiplusShutdown(gdiplus);
}

// Explorer makes an object for every right-click: the icons and bitmaps are made once per process,
// shared by every table, and go when the library does.
TEST(CommandTable, IconsAndBitmapsAreMadeOncePerProcess) {
  HBITMAP bitmap;
  HICON icon;
  {
    CommandTable table;
    bitmap = table.SlotBitmap(kProductIconSlot);
    icon = table.SlotIcon(kProductIconSlot);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(icon, nullptr);
  }
  size_t held = icon_cache::Count();
  {
    CommandTable next;
    EXPECT_EQ(next.SlotBitmap(kProductIconSlot), bitmap);
    EXPECT_EQ(next.SlotIcon(kProductIconSlot), icon);
    EXPECT_EQ(icon_cache::Count(), held);
  }
  BITMAP info{};
  EXPECT_NE(GetObjectW(bitmap, sizeof info, &info), 0);  // still there after the tables

  // Another size is made once more, from the same icon.
  CommandTable large;
  large.SetMenuIconSize(24);
  HBITMAP bitmap24 = large.SlotBitmap(kProductIconSlot);
  ASSERT_NE(bitmap24, nullptr);
  ASSERT_NE(GetObjectW(bitmap24, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 24);
  EXPECT_EQ(info.bmHeight, 24);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(icon_cache::Count(), held + 1);

  icon_cache::Release();  // what the library does when it unloads
  EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), 0);
  EXPECT_EQ(icon_cache::Count(), 0u);
}

// A smaller size is the larger image's area average, in premultiplied colour.
TEST(MenuBitmap, ShrinksByAveragingTheAreaEachPixelCovers) {
  std::vector<uint32_t> pixels(4 * 4, 0);
  pixels[0] = pixels[1] = pixels[4] = pixels[5] = 0xFF804020;  // top left quarter opaque
  pixels[15] = 0x80400000;                                      // one half-transparent red pixel
  std::vector<uint32_t> half = ShrinkPremultiplied(pixels, 4, 2);
  ASSERT_EQ(half.size(), 4u);
  EXPECT_EQ(half[0], 0xFF804020u);
  EXPECT_EQ(half[1], 0u);
  EXPECT_EQ(half[3], 0x20100000u);
  // 4 to 3: each target pixel covers 4/3 source pixels in each direction.
  std::vector<uint32_t> third = ShrinkPremultiplied(std::vector<uint32_t>(16, 0xFFFFFFFF), 4, 3);
  EXPECT_EQ(third, std::vector<uint32_t>(9, 0xFFFFFFFF));
  EXPECT_TRUE(ShrinkPremultiplied(pixels, 4, 5).empty());
}

TEST(MenuBitmap, FlipsAndPremultipliesA16x16AlphaImage) {
  std::vector<uint32_t> bottomUp(256, 0);
  bottomUp[0] = 0xC8828282;   // bottom left: grey 130 at alpha 200 -> 102 (rounded, not cut to 101)
  bottomUp[255] = 0xFF102030; // top right, opaque: kept
  std::vector<BYTE> image = IconImage(16, 16, 32, bottomUp);
  UniqueBitmap bitmap(MenuBitmapFromIconImage(image.data(), image.size()));
  ASSERT_TRUE(bitmap);
  std::vector<uint32_t> pixels = TopDownPixels(bitmap.get());
  ASSERT_EQ(pixels.size(), 256u);
  EXPECT_EQ(pixels[15 * 16], 0xC8666666u);
  EXPECT_EQ(pixels[15], 0xFF102030u);
  EXPECT_EQ(pixels[0], 0u);
}

TEST(MenuBitmap, LeavesOtherImagesToGdiplus) {
  std::vector<uint32_t> opaque(256, 0x00FF0000);  // 32 bits but no alpha at all
  std::vector<BYTE> noAlpha = IconImage(16, 16, 32, opaque);
  EXPECT_EQ(MenuBitmapFromIconImage(noAlpha.data(), noAlpha.size()), nullptr);
  std::vector<BYTE> large = IconImage(32, 32, 32, std::vector<uint32_t>(1024, 0xFF000000));
  EXPECT_EQ(MenuBitmapFromIconImage(large.data(), large.size()), nullptr);
  std::vector<BYTE> truecolor = IconImage(16, 16, 24, std::vector<uint32_t>(192, 0xFFFFFFFF));
  EXPECT_EQ(MenuBitmapFromIconImage(truecolor.data(), truecolor.size()), nullptr);
  // A damaged resource: the pixels are cut short.
  std::vector<BYTE> cut = IconImage(16, 16, 32, std::vector<uint32_t>(256, 0xFF000000));
  EXPECT_EQ(MenuBitmapFromIconImage(cut.data(), sizeof(BITMAPINFOHEADER) + 255 * 4), nullptr);
  EXPECT_EQ(MenuBitmapFromIconImage(cut.data(), 10), nullptr);
  EXPECT_EQ(MenuBitmapFromIconResource(GetModuleHandleW(nullptr), 9999), nullptr);
}

TEST(CommandTable, MenuBitmapKeepsTheIconTransparency) {
  CommandTable table;
  HBITMAP bitmap = table.SlotBitmap(kProductIconSlot);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  uint32_t pixels[256];
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDIBits(screen, bitmap, 0, 16, pixels, &bi, DIB_RGB_COLORS), 16);
  ReleaseDC(nullptr, screen);
  int transparent = 0, opaque = 0;
  for (uint32_t p : pixels) (p >> 24) == 0 ? ++transparent : (p >> 24) == 0xFF ? ++opaque : 0;
  EXPECT_GT(transparent, 0);
  EXPECT_GT(opaque, 0);
}

}  // namespace
