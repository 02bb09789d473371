#include <gtest/gtest.h>

#include "shellext/settings/RecentPaths.h"
#include "shellext/settings/SettingsRegistry.h"
#include "shellext/settings/SettingsSnapshot.h"
#include "support/SettingsSandbox.h"

namespace {

namespace reg = settings_registry;

// A folder of the (sandboxed) user's profile, where the shell looks it up.
void PutShellFolder(const wchar_t* name, const std::wstring& path) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", name,
                  REG_EXPAND_SZ, path.c_str(), DWORD((path.size() + 1) * sizeof(wchar_t)));
}

class Snapshot : public testing::Test {
 protected:
  SettingsSandbox sandbox;
};

// A right-click reads nothing while nothing changed, and any change shows in the next one.
TEST_F(Snapshot, IsSharedUntilAStoredValueChanges) {
  ASSERT_TRUE(sandbox.redirected());
  CurrentSettings();  // in the sandbox's new profile the shell's first answer adds its folder keys
  std::shared_ptr<const SettingsSnapshot> first = CurrentSettings();
  EXPECT_TRUE(first->fullMenu);
  EXPECT_EQ(CurrentSettings(), first) << "read again without a change";

  struct Change {
    const char* what;
    void (*make)();
    bool (*seen)(const SettingsSnapshot&);
  };
  const Change changes[] = {
      {"mode", [] { PutBinary(reg::kFavoritesSettings, {0}); }, [](const SettingsSnapshot& s) { return !s.fullMenu; }},
      {"favourites", [] { PutMultiString(reg::kFavoritesItems, {L"5", L"18"}); },
       [](const SettingsSnapshot& s) { return s.favorites == FavoritesList{5, 18}; }},
      {"recent move", [] { PutString(L"RecentMovePath00", L"D:\\Moved"); },
       [](const SettingsSnapshot& s) { return s.recentMove == PathList{L"D:\\Moved"}; }},
      {"stored sort", [] { PutBinary(reg::kLastDesktopSortData, std::vector<uint8_t>(644, 7)); },
       [](const SettingsSnapshot& s) { return s.hasStoredSort; }},
      {"interval", [] { PutBinary(reg::kAutomaticUpdatesInterval, {3, 0, 0, 0}); },
       [](const SettingsSnapshot& s) { return s.updatesInterval == 3; }},
      {"last check", [] { PutBinary(reg::kLastCheckedForUpdates, {1, 0, 0, 0, 0, 0, 0, 0}); },
       [](const SettingsSnapshot& s) { return s.lastCheckedForUpdates == 1; }},
      {"damaged mode", [] { PutString(reg::kFavoritesSettings, L"x"); },
       [](const SettingsSnapshot& s) { return s.fullMenu; }},
      {"desktop folder", [] { PutShellFolder(L"Desktop", L"C:\\Moved Desktop"); },
       [](const SettingsSnapshot& s) { return s.desktop.user == L"C:\\Moved Desktop"; }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    std::shared_ptr<const SettingsSnapshot> before = CurrentSettings();
    change.make();
    std::shared_ptr<const SettingsSnapshot> after = CurrentSettings();
    EXPECT_NE(after, before);
    EXPECT_TRUE(change.seen(*after));
    EXPECT_EQ(CurrentSettings(), after);
  }

  SettingsSandbox::RemoveKey();
  std::shared_ptr<const SettingsSnapshot> removed = CurrentSettings();
  EXPECT_TRUE(removed->fullMenu);
  EXPECT_TRUE(removed->favorites.empty() && removed->recentMove.empty() && !removed->hasStoredSort);
  EXPECT_EQ(removed->updatesInterval, kDefaultUpdatesInterval);
}

TEST_F(Snapshot, SeesAChangeMadeByAnotherProcess) {
  ASSERT_TRUE(sandbox.redirected());
  EXPECT_TRUE(CurrentSettings()->recentCopy.empty());
  ASSERT_EQ(RunTestInChildProcess(L"Snapshot.DISABLED_StoreARecentFolder"), 0u);
  EXPECT_EQ(CurrentSettings()->recentCopy, PathList{L"C:\\From another process"});
}

// Run by the test above in a child process.
TEST_F(Snapshot, DISABLED_StoreARecentFolder) {
  ASSERT_TRUE(sandbox.redirected());
  RecentPaths recent;
  recent.AddCopyFolder(L"C:\\From another process");
  recent.Save();
}

}  // namespace
