#include <gtest/gtest.h>

#include "shellext/CommandCatalog.h"
#include "shellext/CommandTable.h"

namespace {

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
