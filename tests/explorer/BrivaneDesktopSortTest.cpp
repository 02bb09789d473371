// The Sort Desktop submenu end to end: Brivane.dll registered, the stand-in on the desktop's background,
// the dialog and the questions answered by a script. The user's desktop and pictures folders point into
// a scratch folder for the test, and the wallpaper values and the stored sort are put back afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "desktop/DesktopSortSettings.h"
#include "support/TestSupport.h"
#include "ui/ColorPickerLayout.h"

namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kBrivaneKey[] = L"Software\\Brivane";

// A value of the current user, put back as it was (or removed) when this goes.
class SavedValue {
 public:
  SavedValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS)
      return;
    std::vector<BYTE> bytes(size);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, bytes.data(), &size) ==
        ERROR_SUCCESS) {
      bytes.resize(size);
      saved_ = std::make_pair(type, bytes);
    }
  }
  ~SavedValue() {
    if (saved_)
      RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, saved_->first, saved_->second.data(), DWORD(saved_->second.size()));
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  std::optional<std::pair<DWORD, std::vector<BYTE>>> saved_;
};

void PutText(const wchar_t* key, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
  RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring Text(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = L"";
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<none>";
  return text;
}

std::vector<uint8_t> StoredSort() {
  DWORD type = 0, size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, L"LastDesktopSortData", RRF_RT_ANY, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      type != REG_BINARY)
    return {};
  std::vector<uint8_t> bytes(size);
  RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, L"LastDesktopSortData", RRF_RT_ANY, &type, bytes.data(), &size);
  return bytes;
}

class BrivaneDesktopSort : public RegisteredBrivane {
 protected:
  void SetUp() override {
    RegisteredBrivane::SetUp();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrivaneKey, L"LastDesktopSortData");
    PutText(kShellFolders, L"Desktop", desktop_, REG_EXPAND_SZ);
    PutText(kShellFolders, L"My Pictures", pictures_, REG_EXPAND_SZ);
    PutText(kDesktopKey, L"Wallpaper", L"C:\\windows\\previous.bmp");
    PutText(kDesktopKey, L"WallpaperStyle", L"2");
    PutText(kDesktopKey, L"TileWallpaper", L"0");
    dir_.Folder(L"Desktop\\Work");
    dir_.File(L"Desktop\\notes.txt", "notes");
  }
  void TearDown() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrivaneKey, L"LastDesktopSortData"); }

  // Invokes the Sort Desktop entry on the desktop's background, answering with the script.
  StandInRun Invoke(const std::wstring& entry, const std::string& script) {
    return RunStandIn(L"--folder " + Quoted(desktop_) + L" --background --invoke " +
                      Quoted(L"Brivane>Sort Desktop>" + entry) +
                      ScriptArgument(scripts_ / (L"script" + std::to_wstring(++count_) + L".txt"), script));
  }
  std::string SortMenu() {
    StandInRun run = RunStandIn(L"--folder " + Quoted(desktop_) + L" --background --menu");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    return run.MenuFrom("Brivane >");
  }
  std::wstring Target() const { return pictures_ + L"\\BrivaneWallpaper.bmp"; }

  SavedValue savedDesktop_{kShellFolders, L"Desktop"};
  SavedValue savedPictures_{kShellFolders, L"My Pictures"};
  SavedValue savedWallpaper_{kDesktopKey, L"Wallpaper"};
  SavedValue savedStyle_{kDesktopKey, L"WallpaperStyle"};
  SavedValue savedTile_{kDesktopKey, L"TileWallpaper"};
  TempDir dir_;
  TempDir scripts_;
  std::wstring desktop_ = dir_.Folder(L"Desktop");
  std::wstring pictures_ = dir_.Folder(L"Pictures");
  int count_ = 0;
};

TEST_F(BrivaneDesktopSort, BlueSkyAnsweredNoLeavesTheDesktopAsItWas) {
  const std::string users = "a picture of the user's own";
  dir_.File(L"Pictures\\BrivaneWallpaper.bmp", users);
  StandInRun run = Invoke(L"Blue Sky",
                          "window Brivane - Sort Desktop\n"
                          "expect 298 Do you want to save changes?\n"
                          "click IDNO\n");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("invoke: S_OK"));
  EXPECT_EQ(Text(kDesktopKey, L"Wallpaper"), L"C:\\windows\\previous.bmp");
  EXPECT_EQ(Text(kDesktopKey, L"WallpaperStyle"), L"2");
  EXPECT_EQ(Text(kDesktopKey, L"TileWallpaper"), L"0");
  EXPECT_EQ(ReadBytes(Target()), users);
  EXPECT_TRUE(StoredSort().empty());
  EXPECT_EQ(ReadBytes(desktop_ + L"\\notes.txt"), "notes");
  EXPECT_NE(SortMenu().find("    Redo Last Sort [greyed]\n"), std::string::npos);
}

TEST_F(BrivaneDesktopSort, CustomAnsweredYesIsStoredAndThenRedoneFromTheMenu) {
  EXPECT_NE(SortMenu().find("    Redo Last Sort [greyed]\n"), std::string::npos);

  // Both opacities moved, and group colour 1 two steps on in the palette from its default.
  StandInRun run = Invoke(L"Custom",
                          "window Brivane - Sort Desktop\n"
                          "slide 299 40\n"
                          "expect 231 40%\n"
                          "slide 300 80\n"
                          "expect 234 80%\n"
                          "click 281\n"
                          "key RIGHT\n"
                          "key RIGHT\n"
                          "key RETURN\n"
                          "click IDOK\n"
                          "window Brivane - Sort Desktop\n"
                          "expect 298 Do you want to save changes?\n"
                          "click IDYES\n");
  ASSERT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("invoke: S_OK"));

  DesktopSortSettings expected = DefaultDesktopSortSettings();
  int current = color_picker::EntryForColor(RGB(0xFF, 0xFF, 0xE0));
  ASSERT_LT(current + 1, color_picker::kSwatchCount);
  COLORREF chosen = color_picker::kPalette[current + 1].color;
  expected.group1 = 0xFF000000u | GetRValue(chosen) << 16 | GetGValue(chosen) << 8 | GetBValue(chosen);
  expected.groupOpacity = 40 * 255 / 100;
  expected.borderOpacity = 80 * 255 / 100;
  SetPreviousWallpaper(expected, L"C:\\windows\\previous.bmp");
  std::vector<uint8_t> stored = StoredSort();
  ASSERT_EQ(stored.size(), 644u);
  EXPECT_EQ(0, std::memcmp(stored.data(), &expected, 644));
  EXPECT_EQ(Text(kDesktopKey, L"Wallpaper"), Target());
  EXPECT_EQ(Text(kDesktopKey, L"WallpaperStyle"), L"1");
  EXPECT_EQ(ReadBytes(Target()).substr(0, 2), "BM");

  // The stored sort makes Redo Last Sort available; redone and kept, it stores the same record again,
  // with the wallpaper from before the first sort.
  EXPECT_NE(SortMenu().find("    Redo Last Sort\n"), std::string::npos);
  StandInRun redo = Invoke(L"Redo Last Sort",
                           "window Brivane - Redo Last Desktop Sort\n"
                           "expect 298 Redo Last Desktop Sort?\n"
                           "click IDYES\n"
                           "window Brivane - Sort Desktop\n"
                           "click IDYES\n");
  EXPECT_EQ(redo.exitCode, 0u) << redo.errors;
  EXPECT_EQ(StoredSort(), stored);

  // No to the redo question: nothing is sorted and nothing more is asked.
  StandInRun declined = Invoke(L"Redo Last Sort",
                               "window Brivane - Redo Last Desktop Sort\n"
                               "click IDNO\n");
  EXPECT_EQ(declined.exitCode, 0u) << declined.errors;
  EXPECT_FALSE(declined.Has("window: Brivane - Sort Desktop"));
  EXPECT_EQ(StoredSort(), stored);
}

}  // namespace
