// The desktop-sort record as stored: the defaults and the four themes byte by byte, the previous
// wallpaper path and what a damaged stored record reads as.
#include <gtest/gtest.h>

#include <cstring>

#include "DesktopTestSupport.h"
#include "desktop/DesktopSortSettings.h"

namespace {

uint32_t Dword(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
         uint32_t(bytes[offset + 3]) << 24;
}

std::vector<uint8_t> Utf16(const std::wstring& text) {
  std::vector<uint8_t> bytes;
  for (wchar_t unit : text) {
    bytes.push_back(uint8_t(unit & 0xFF));
    bytes.push_back(uint8_t(unit >> 8));
  }
  return bytes;
}

TEST(DesktopSortRecord, DefaultsSitAtTheirOffsets) {
  std::vector<uint8_t> bytes = BytesOf(DefaultDesktopSortSettings());
  ASSERT_EQ(bytes.size(), 644u);
  EXPECT_EQ(Dword(bytes, 0), 0xFF008000u);
  EXPECT_EQ(Dword(bytes, 4), 0xFF0000FFu);
  EXPECT_EQ(bytes[8], 0);
  for (size_t i = 9; i < 532; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;  // reserved and an empty path
  EXPECT_EQ(Dword(bytes, 532), 0xFFFFFFE0u);
  EXPECT_EQ(Dword(bytes, 536), 0xFFFF0000u);
  EXPECT_EQ(Dword(bytes, 540), 0xFFFFFFFFu);
  EXPECT_EQ(bytes[544], 255);
  EXPECT_EQ(bytes[545], 255);
  EXPECT_EQ(Dword(bytes, 548), uint32_t(-24));  // the font's height
  for (size_t offset : {552u, 556u, 560u}) EXPECT_EQ(Dword(bytes, offset), 0u);
  EXPECT_EQ(Dword(bytes, 564), 700u);
  const uint8_t flags[] = {0, 0, 0, 177, 1, 2, 1, 0x22};  // italic ... pitch and family
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 568, bytes.begin() + 576), std::vector<uint8_t>(flags, flags + 8));
  std::vector<uint8_t> face = Utf16(L"Times new Roman");
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 576, bytes.begin() + 576 + face.size()), face);
  for (size_t i = 576 + face.size(); i < 640; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
  EXPECT_EQ(Dword(bytes, 640), 0xFFFFFFFFu);
}

TEST(DesktopSortRecord, EachThemeChangesOnlyItsColoursAndBorderOpacity) {
  struct Row {
    CommandId command;
    uint32_t background1, background2, group1, group2, border;
    uint8_t borderOpacity;
  };
  const Row rows[] = {
      {cmd::SortDesktopEggPlant, 0xFF4B0082, 0xFF00008B, 0xFFD2B48C, 0xFFDAA520, 0xFFFFFFFF, 100},
      {cmd::SortDesktopSunset, 0xFFFF4500, 0xFFFF8C00, 0xFFFFE4B5, 0xFFF08080, 0xFFFFFFFF, 100},
      {cmd::SortDesktopDark, 0xFF000000, 0xFFA9A9A9, 0xFF808080, 0xFF696969, 0xFFFFFFFF, 100},
      {cmd::SortDesktopBlueSky, 0xFF0000FF, 0xFF87CEEB, 0xFF00008B, 0xFF008B8B, 0x00000000, 150},
  };
  const std::vector<uint8_t> defaults = BytesOf(DefaultDesktopSortSettings());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    DesktopSortSettings settings = DefaultDesktopSortSettings();
    settings.useWallpaper = 1;  // a theme starts from the defaults, whatever the record held
    SetPreviousWallpaper(settings, L"C:\\old.bmp");
    ASSERT_TRUE(ApplyDesktopTheme(row.command, settings));
    std::vector<uint8_t> expected = defaults;
    for (auto [offset, value] : {std::pair<size_t, uint32_t>{0, row.background1}, {4, row.background2},
                                 {532, row.group1}, {536, row.group2}, {540, row.border}})
      std::memcpy(&expected[offset], &value, 4);
    expected[545] = row.borderOpacity;
    EXPECT_EQ(BytesOf(settings), expected);
  }
  DesktopSortSettings untouched = DefaultDesktopSortSettings();
  untouched.groupOpacity = 9;
  EXPECT_FALSE(ApplyDesktopTheme(cmd::SortDesktopCustom, untouched));
  EXPECT_EQ(untouched.groupOpacity, 9);
}

TEST(DesktopSortRecord, APreviousWallpaperIsStoredOnlyWhenItFitsWhole) {
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  std::wstring longest = L"C:\\" + std::wstring(252, L'w') + L".bmp";  // 259 characters
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_TRUE(SetPreviousWallpaper(settings, longest));
  EXPECT_EQ(PreviousWallpaper(settings), longest);
  EXPECT_EQ(settings.previousWallpaper[259], L'\0');

  // A shorter path leaves nothing of the longer one behind it: the rest of the field is zero.
  EXPECT_TRUE(SetPreviousWallpaper(settings, L"C:\\a.bmp"));
  std::vector<uint8_t> bytes = BytesOf(settings);
  for (size_t i = 10 + 2 * 8; i < 530; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;

  // One more character would be cut; a cut path names a file that does not exist.
  EXPECT_FALSE(SetPreviousWallpaper(settings, longest + L"x"));
  EXPECT_EQ(PreviousWallpaper(settings), L"");
}

TEST(DesktopSortRecord, DamagedTextFieldsReadAsTheirDefaults) {
  DesktopSortSettings damaged = DefaultDesktopSortSettings();
  damaged.font.lfHeight = -40;
  std::fill(std::begin(damaged.font.lfFaceName), std::end(damaged.font.lfFaceName), L'A');
  std::fill(std::begin(damaged.previousWallpaper), std::end(damaged.previousWallpaper), L'P');
  damaged.groupOpacity = 17;

  // Readers never run past a field without its terminator.
  EXPECT_EQ(PreviousWallpaper(damaged).size(), 260u);
  EXPECT_EQ(FaceName(damaged.font).size(), 32u);
  EXPECT_EQ(BytesOf(LabelFont(damaged)), BytesOf(DefaultLabelFont()));

  MendStoredRecord(damaged);
  EXPECT_EQ(BytesOf(damaged.font), BytesOf(DefaultLabelFont()));
  EXPECT_EQ(PreviousWallpaper(damaged), L"");
  EXPECT_EQ(damaged.groupOpacity, 17);  // the sound fields stay

  DesktopSortSettings sound = DefaultDesktopSortSettings();
  wcscpy(sound.font.lfFaceName, L"Arial");
  SetPreviousWallpaper(sound, L"C:\\w.bmp");
  DesktopSortSettings mended = sound;
  MendStoredRecord(mended);
  EXPECT_EQ(BytesOf(mended), BytesOf(sound));
}

}  // namespace
