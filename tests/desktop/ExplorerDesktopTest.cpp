// The desktop sort end to end against the platform's real desktop view (through a wrapper that answers
// and records the three calls Wine's view lacks): kinds and groups, keep or undo, the stored record and
// the redo.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "DesktopTestSupport.h"
#include "RecordingFolderView.h"
#include "support/ShellViewHost.h"
#include "desktop/DesktopSorter.h"
#include "desktop/WallpaperPainter.h"
#include "shellext/com/ExplorerController.h"
#include "shellext/settings/SettingsRegistry.h"
#include "support/ScriptedPrompt.h"

namespace {

using Names = std::vector<std::wstring>;

// A stand-in for the desktop's view window: records the commands it is sent, and holds a list view
// whose align-to-grid the test sets.
class ViewWindow {
 public:
  explicit ViewWindow(bool snapToGrid) {
    WNDCLASSW type{};
    type.lpfnWndProc = &Proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"BrivaneTestDefView";
    RegisterClassW(&type);
    window_ = CreateWindowExW(0, type.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD, 0, 0, 100, 100, window_, nullptr, nullptr, nullptr);
    if (snapToGrid) SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SNAPTOGRID, LVS_EX_SNAPTOGRID);
    commands_.clear();
  }
  ~ViewWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }
  static std::vector<WPARAM> commands() { return commands_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands_.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_;
  static inline std::vector<WPARAM> commands_;
};

class DesktopSort : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    CreateDirectoryW((desk_.desktop() + L"\\Work").c_str(), nullptr);
    PutFile(desk_.desktop() + L"\\notes.txt", "n");
    PutFile(desk_.desktop() + L"\\site.url", "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    host_ = std::make_unique<ShellViewHost>(desk_.desktop());  // the desktop itself, as the desktop shows it
    ASSERT_TRUE(host_->Ready());
    ASSERT_TRUE(host_->isDesktop());
    view_ = WrapHostedView(*host_);
    controller_ = std::make_unique<ExplorerController>();
    controller_->Attach(host_->Site());
    controller_->UseDesktopPlatform(desk_.platform);
    // Every icon somewhere the sort will not put it.
    int count = 0;
    view_->ItemCount(SVGIO_ALLVIEW, &count);
    for (int i = 0; i < count; ++i) {
      PITEMID_CHILD item = nullptr;
      ASSERT_EQ(view_->Item(i, &item), S_OK);
      std::wstring name = view_->NameOf(item);
      view_->positions[name] = {900 - 10 * i, 700 + 3 * i};
      all_.push_back(name);
      CoTaskMemFree(item);
    }
  }
  void TearDown() override {
    controller_.reset();
    host_.reset();
    view_.reset();
    CoUninitialize();
  }

  std::wstring Target() const { return desk_.pictures() + L"\\BrivaneWallpaper.bmp"; }
  static DesktopSortSettings Theme(CommandId command) {
    DesktopSortSettings settings = DefaultDesktopSortSettings();
    ApplyDesktopTheme(command, settings);
    return settings;
  }
  // The record a kept sort stores: the one it ran with, and the wallpaper before it.
  static std::vector<uint8_t> Kept(DesktopSortSettings settings, const std::wstring& previous) {
    SetPreviousWallpaper(settings, previous);
    return BytesOf(settings);
  }

  DesktopSandbox desk_;
  std::unique_ptr<ShellViewHost> host_;
  ComPtr<ComObject<RecordingFolderView>> view_;
  std::unique_ptr<ExplorerController> controller_;
  Names all_;
};

TEST_F(DesktopSort, IconsGoToTheirGroupsByKindInOneMovePerGroup) {
  ScriptedPrompt prompt({IDYES});
  DesktopSortSettings settings = Theme(cmd::SortDesktopDark);
  ASSERT_TRUE(controller_->SortDesktop(settings, true, false));

  // System (the virtual items and the folders elsewhere), Folders, Shortcuts, Files.
  ASSERT_EQ(view_->calls.size(), 4u);
  EXPECT_EQ(view_->calls[1].names, Names{L"Work"});
  EXPECT_EQ(view_->calls[2].names, Names{L"site.url"});
  EXPECT_EQ(view_->calls[3].names, Names{L"notes.txt"});
  Names system = view_->calls[0].names;
  EXPECT_EQ(system.size() + 3, all_.size());
  EXPECT_NE(std::find(system.begin(), system.end(), L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}"), system.end())
      << "My Computer";
  for (const PositionCall& call : view_->calls) EXPECT_EQ(call.flags, DWORD(SVSI_NOSTATECHANGE));

  // The grid: System from (64, 64) on; each later group 164 below the last row of the one before.
  EXPECT_EQ(view_->calls[0].points[0].x, 64);
  EXPECT_EQ(view_->calls[0].points[0].y, 64);
  EXPECT_EQ(view_->calls[1].points[0].x, 64);
  EXPECT_EQ(view_->calls[1].points[0].y, 64 + 164);
  EXPECT_EQ(view_->calls[3].points[0].y, 64 + 3 * 164);
}

TEST_F(DesktopSort, NoPutsBackTheIconsTheWallpaperItsStyleTheUsersFileAndTheViewToggles) {
  const std::string users = "the user's own picture\x01\x02\x03";
  desk_.dir().File(L"Pictures\\BrivaneWallpaper.bmp", users);
  ViewWindow window(true);
  desk_.platform.viewWindow = window.get();
  view_->autoArrange = S_OK;
  ScriptedPrompt prompt({IDNO});

  DesktopSortSettings settings = Theme(cmd::SortDesktopBlueSky);
  ASSERT_TRUE(controller_->SortDesktop(settings, true, false));

  ASSERT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(prompt.asked()[0].text, L"Do you want to save changes?");
  EXPECT_EQ(prompt.asked()[0].caption, L"Brivane - Sort Desktop");
  EXPECT_EQ(prompt.asked()[0].type, UINT(MB_YESNO));

  // The last move puts every icon back where it was, in one call.
  ASSERT_EQ(view_->calls.size(), 5u);
  const PositionCall& back = view_->calls.back();
  ASSERT_EQ(back.names.size(), all_.size());
  for (size_t i = 0; i < back.names.size(); ++i) {
    POINT old = view_->positions[back.names[i]];
    EXPECT_EQ(back.points[i].x, old.x) << Narrow(back.names[i]);
    EXPECT_EQ(back.points[i].y, old.y) << Narrow(back.names[i]);
  }

  EXPECT_EQ(desk_.platform.wallpapers, (Names{Target(), L"C:\\windows\\previous.bmp"}));
  EXPECT_EQ(DesktopValue(L"WallPaper"), L"C:\\windows\\previous.bmp");
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"2");  // stretched, as before
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), L"0");
  EXPECT_EQ(ReadBytes(Target()), users);
  EXPECT_TRUE(StoredSortBytes().empty());
  EXPECT_FALSE(Exists(desk_.platform.temporary + L"\\BrivaneWallpaper.bmp"));
  // Auto-arrange and align-to-grid off for the sort, the view's follow-up command, then both on again.
  EXPECT_EQ(ViewWindow::commands(), (std::vector<WPARAM>{0x7071, 0x7074, 0x7050, 0x7071, 0x7074}));
}

TEST_F(DesktopSort, YesStoresTheRecordWithThePreviousWallpaperAndLeavesTheSortShowing) {
  ViewWindow window(true);
  desk_.platform.viewWindow = window.get();
  view_->autoArrange = S_FALSE;  // off: a success too, but nothing to turn off
  ScriptedPrompt prompt({IDYES});

  DesktopSortSettings settings = Theme(cmd::SortDesktopSunset);
  SetPreviousWallpaper(settings, L"C:\\left\\over.bmp");  // a new sort forgets it
  ASSERT_TRUE(controller_->SortDesktop(settings, true, false));

  EXPECT_EQ(StoredSortBytes(), Kept(Theme(cmd::SortDesktopSunset), L"C:\\windows\\previous.bmp"));
  EXPECT_EQ(desk_.platform.wallpapers, Names{Target()});
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"1");
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), L"1");
  EXPECT_EQ(view_->calls.size(), 4u);
  EXPECT_EQ(ViewWindow::commands(), (std::vector<WPARAM>{0x7074, 0x7050}));

  // The picture on disk: the theme's gradient from corner to corner (Wine's gradient puts the far colour
  // on the very first pixel, so the second is read).
  GdiplusSession gdiplus;
  Gdiplus::Bitmap written(Target().c_str());
  ASSERT_EQ(written.GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(written.GetWidth(), 1280u);
  EXPECT_EQ(written.GetHeight(), 1024u);
  Gdiplus::Color first, last;
  written.GetPixel(1, 1, &first);
  written.GetPixel(1279, 1023, &last);
  EXPECT_NEAR(first.GetR(), 0xFF, 3);
  EXPECT_NEAR(first.GetG(), 0x45, 3);
  EXPECT_NEAR(last.GetG(), 0x8C, 3);
}

TEST_F(DesktopSort, ARedoKeepsTheFirstPreviousWallpaperAndItsNoLeavesTheStoredSort) {
  {
    ScriptedPrompt prompt({IDYES});
    DesktopSortSettings settings = Theme(cmd::SortDesktopEggPlant);
    ASSERT_TRUE(controller_->SortDesktop(settings, true, false));
  }
  const std::vector<uint8_t> first = Kept(Theme(cmd::SortDesktopEggPlant), L"C:\\windows\\previous.bmp");
  ASSERT_EQ(StoredSortBytes(), first);
  ASSERT_EQ(DesktopValue(L"WallPaper"), Target());
  const std::string generated = ReadBytes(Target());

  // From outside: no question, stored again with the same previous wallpaper, not the generated one.
  {
    ScriptedPrompt prompt({IDNO});
    ASSERT_TRUE(controller_->RedoLastDesktopSort(true));
    EXPECT_TRUE(prompt.asked().empty());
  }
  EXPECT_EQ(StoredSortBytes(), first);

  // From the menu, answered No: the stored sort stays byte for byte and the desktop is as it was
  // before the redo, generated wallpaper included.
  desk_.platform.wallpapers.clear();
  {
    ScriptedPrompt prompt({IDNO});
    ASSERT_TRUE(controller_->RedoLastDesktopSort(false));
    EXPECT_EQ(prompt.asked().size(), 1u);
  }
  EXPECT_EQ(StoredSortBytes(), first);
  EXPECT_EQ(desk_.platform.wallpapers.back(), Target());
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"1");
  EXPECT_EQ(ReadBytes(Target()), generated);

  // A new sort forgets the first wallpaper and remembers the one showing now.
  ScriptedPrompt prompt({IDYES});
  DesktopSortSettings dark = Theme(cmd::SortDesktopDark);
  ASSERT_TRUE(controller_->SortDesktop(dark, true, false));
  EXPECT_EQ(StoredSortBytes(), Kept(Theme(cmd::SortDesktopDark), Target()));
}

TEST_F(DesktopSort, ARedoWithNothingStoredSortsAndStoresTheDefaults) {
  ASSERT_TRUE(controller_->RedoLastDesktopSort(true));
  EXPECT_EQ(StoredSortBytes(), Kept(DefaultDesktopSortSettings(), L"C:\\windows\\previous.bmp"));
}

TEST_F(DesktopSort, WithoutAPicturesFolderNoWallpaperIsWrittenButTheUndoStillRestores) {
  desk_.platform.pictures.clear();
  PutWallpaperValues(L"C:\\windows\\tiles.bmp", L"1", L"1");
  ScriptedPrompt prompt({IDNO});
  DesktopSortSettings settings = Theme(cmd::SortDesktopDark);
  ASSERT_TRUE(controller_->SortDesktop(settings, true, false));
  EXPECT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(desk_.platform.wallpapers, Names{L"C:\\windows\\tiles.bmp"});
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"1");
  EXPECT_FALSE(Exists(desk_.pictures() + L"\\BrivaneWallpaper.bmp"));
  EXPECT_EQ(view_->calls.size(), 5u);
}

TEST_F(DesktopSort, OlderSystemsGetTheOlderViewCommandsAndTheActiveDesktopForOtherPictures) {
  ViewWindow window(true);
  desk_.platform.viewWindow = window.get();
  desk_.platform.majorVersion = 5;
  view_->autoArrange = S_OK;
  PutWallpaperValues(L"C:\\windows\\photo.jpg", L"0", L"0");
  ScriptedPrompt prompt({IDNO});
  DesktopSortSettings settings = Theme(cmd::SortDesktopDark);
  ASSERT_TRUE(controller_->SortDesktop(settings, true, false));
  EXPECT_EQ(ViewWindow::commands(), (std::vector<WPARAM>{0x7051, 0x7054, 0x7051, 0x7054}));
  EXPECT_EQ(desk_.platform.wallpapers, (Names{Target(), L"active desktop: C:\\windows\\photo.jpg"}));
}

TEST(DesktopSortWithoutView, NothingIsSortedOrStored) {
  DesktopSandbox desk;
  ExplorerController controller;
  controller.UseDesktopPlatform(desk.platform);
  ScriptedPrompt prompt({IDYES});
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  EXPECT_FALSE(controller.SortDesktop(settings, true, false));
  EXPECT_FALSE(controller.RedoLastDesktopSort(true));
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_TRUE(StoredSortBytes().empty());

  // A sorter given no icons changes nothing and asks nothing.
  DesktopSorter sorter(nullptr, desk.platform);
  EXPECT_EQ(sorter.Sort(settings), DesktopSorter::Outcome::NothingToSort);
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_TRUE(desk.platform.wallpapers.empty());
  EXPECT_FALSE(Exists(desk.pictures() + L"\\BrivaneWallpaper.bmp"));
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"2");
}

TEST(LastDesktopSort, OnlyAReadableBinaryValueLoadsAndNeverPastTheRecord) {
  DesktopSandbox desk;
  DesktopSortSettings record = DefaultDesktopSortSettings();
  const std::vector<uint8_t> defaults = BytesOf(record);
  EXPECT_FALSE(ExplorerController::LoadLastDesktopSort(record));

  PutString(settings_registry::kLastDesktopSortData, L"not a record");
  EXPECT_FALSE(ExplorerController::LoadLastDesktopSort(record));
  PutBinary(settings_registry::kLastDesktopSortData, std::vector<uint8_t>(645, 7));
  EXPECT_FALSE(ExplorerController::LoadLastDesktopSort(record));
  EXPECT_EQ(BytesOf(record), defaults);

  // A shorter value fills its own bytes; the rest keeps what it held.
  PutBinary(settings_registry::kLastDesktopSortData, std::vector<uint8_t>(100, 7));
  EXPECT_TRUE(ExplorerController::LoadLastDesktopSort(record));
  std::vector<uint8_t> expected = defaults;
  std::fill(expected.begin(), expected.begin() + 100, 7);
  EXPECT_EQ(BytesOf(record), expected);

  // A face name without its terminator reads as the default font.
  DesktopSortSettings damaged = DefaultDesktopSortSettings();
  damaged.borderOpacity = 3;
  std::fill(std::begin(damaged.font.lfFaceName), std::end(damaged.font.lfFaceName), L'F');
  PutBinary(settings_registry::kLastDesktopSortData, BytesOf(damaged));
  EXPECT_TRUE(ExplorerController::LoadLastDesktopSort(record));
  EXPECT_EQ(record.borderOpacity, 3);
  EXPECT_EQ(BytesOf(record.font), BytesOf(DefaultLabelFont()));
}

}  // namespace

namespace {

// The sort as the desktop's own view holds it, in a folder view of its own: the names of each move.
std::vector<Names> SortedGroups(const std::wstring& folder, const DesktopPlatform& platform) {
  ShellViewHost host(folder);
  EXPECT_TRUE(host.Ready());
  auto view = WrapHostedView(host);
  ExplorerController controller;
  controller.Attach(host.Site());
  controller.UseDesktopPlatform(platform);
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  EXPECT_TRUE(controller.SortDesktop(settings, true, true));
  std::vector<Names> groups;
  for (const PositionCall& call : view->calls) groups.push_back(call.names);
  return groups;
}

TEST(DesktopSortKinds, FoldersOnTheAllUsersDesktopAreDesktopFoldersAndOtherFoldersSystemItems) {
  CoInitialize(nullptr);
  {
    DesktopSandbox desk;
    wchar_t common[MAX_PATH] = L"";
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_DESKTOPDIRECTORY, TRUE));
    std::wstring shared = std::wstring(common) + L"\\Brivane shared " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(shared.c_str(), nullptr));
    std::vector<Names> groups = SortedGroups(common, desk.platform);
    RemoveDirectoryW(shared.c_str());
    // The prefix's all-users desktop holds nothing else: one group, the folders.
    EXPECT_EQ(groups, (std::vector<Names>{{shared.substr(shared.rfind(L'\\') + 1)}}));

    TempDir elsewhere;
    elsewhere.Folder(L"Projects");
    elsewhere.File(L"plan.txt", "p");
    EXPECT_EQ(SortedGroups(elsewhere.path(), desk.platform), (std::vector<Names>{{L"Projects"}, {L"plan.txt"}}));
  }
  CoUninitialize();
}

}  // namespace
