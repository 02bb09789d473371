#include <gtest/gtest.h>

#include "shellext/menu/MenuContextReader.h"
#include "shellext/settings/Favorites.h"
#include "shellext/settings/RecentPaths.h"
#include "shellext/settings/SettingsRegistry.h"
#include "shellext/settings/SettingsSnapshot.h"
#include "support/SettingsSandbox.h"

namespace {

namespace reg = settings_registry;

class Favorites : public ::testing::Test {
 protected:
  SettingsSandbox sandbox;
};

TEST_F(Favorites, ParsingDropsWhatIsNoCommandAndMergesNeighbours) {
  PutMultiString(reg::kFavoritesItems, {L"5", L"0", L"0", L"18", L"70", L"x"});
  EXPECT_EQ(LoadFavorites(), (FavoritesList{5, 0, 18, 0}));

  PutMultiString(reg::kFavoritesItems, {L"-3", L"63", L"64", L"12abc", L" 7", L"7", L"99999999999999999999", L"9"});
  EXPECT_EQ(LoadFavorites(), (FavoritesList{63, 12, 7, 9}));

  // The walk stops at the first empty string.
  PutMultiString(reg::kFavoritesItems, {L"3", L"", L"4"});
  EXPECT_EQ(LoadFavorites(), (FavoritesList{3}));
}

TEST_F(Favorites, DamagedValuesGiveAnEmptyList) {
  EXPECT_TRUE(LoadFavorites().empty());  // no key
  PutString(reg::kFavoritesItems, L"5");  // REG_SZ
  EXPECT_TRUE(LoadFavorites().empty());
  PutValue(reg::kFavoritesItems, REG_MULTI_SZ, L"", 0);
  EXPECT_TRUE(LoadFavorites().empty());
  std::wstring tooLong(1025, L'1');  // 2050 bytes and more do not fit the buffer
  PutMultiString(reg::kFavoritesItems, {L"5", tooLong});
  EXPECT_TRUE(LoadFavorites().empty());
  // A last string without its terminator, filling the value to the end, is still read.
  PutValue(reg::kFavoritesItems, REG_MULTI_SZ, L"5\0" L"17", 8);
  EXPECT_EQ(LoadFavorites(), (FavoritesList{5, 17}));
}

TEST_F(Favorites, ASavedListReloadsIdentically) {
  FavoritesList list = {63, 0, 5, 18, 0, 1, 49, 0, 2};
  SaveFavorites(list);
  EXPECT_EQ(LoadFavorites(), list);
  DWORD type = 0;
  std::vector<uint8_t> bytes = GetValue(reg::kFavoritesItems, &type);
  EXPECT_EQ(type, DWORD(REG_MULTI_SZ));
  // "63\0" "0\0" "5\0" "18\0" "0\0" "1\0" "49\0" "0\0" "2\0": the final empty string is not counted.
  EXPECT_EQ(bytes.size(), FavoritesStoredSize(list));
  EXPECT_EQ(bytes.size(), 21u * 2);
  EXPECT_EQ(bytes[0], '6');
  EXPECT_EQ(bytes[4], 0);

  SaveFavorites({});
  EXPECT_TRUE(ValueExists(reg::kFavoritesItems));
  EXPECT_TRUE(LoadFavorites().empty());
}

TEST_F(Favorites, TheStoredValueStaysWithin2048Bytes) {
  // Alternating ids take 3 and 2 characters: 409 pairs fill 2045 of 2048 bytes.
  FavoritesList list;
  for (int i = 0; i < 500; ++i) list.push_back(i % 2 ? 0 : 10 + i % 40);
  ASSERT_GT(FavoritesStoredSize(list), kFavoritesMaxBytes);
  SaveFavorites(list);
  std::vector<uint8_t> bytes = GetValue(reg::kFavoritesItems);
  EXPECT_LE(bytes.size(), kFavoritesMaxBytes);
  EXPECT_GT(bytes.size(), kFavoritesMaxBytes - 6);  // cut at the limit, not earlier
  FavoritesList loaded = LoadFavorites();
  ASSERT_FALSE(loaded.empty());
  EXPECT_EQ(FavoritesList(list.begin(), list.begin() + loaded.size()), loaded);
}

class Recent : public ::testing::Test {
 protected:
  SettingsSandbox sandbox;
  void StoreCopies(const std::vector<std::wstring>& folders) {
    for (size_t i = 0; i < folders.size(); ++i) PutString(reg::RecentCopyPathName(int(i)).c_str(), folders[i]);
  }
  static std::vector<std::wstring> StoredCopies() {
    std::vector<std::wstring> out;
    for (int i = 0; i < RecentPaths::kSlots; ++i) out.push_back(GetString(reg::RecentCopyPathName(i).c_str()));
    return out;
  }
};

TEST_F(Recent, LoadsTheLeadingFoldersAndIgnoresDamagedValues) {
  StoreCopies({L"C:\\a", L"C:\\b", L"", L"C:\\d"});
  PutString(reg::RecentMovePathName(0).c_str(), L"C:\\m");
  PutValue(reg::RecentMovePathName(1).c_str(), REG_DWORD, "\x41\0\x41\0", 4);
  PutString(reg::RecentMovePathName(2).c_str(), std::wstring(1100, L'x'));  // larger than 2048 bytes
  RecentPaths recent;
  EXPECT_EQ(recent.copyCount(), 2);
  EXPECT_EQ(recent.CopyList(), (PathList{L"C:\\a", L"C:\\b"}));
  EXPECT_EQ(recent.copyFolders()[3], L"C:\\d");
  EXPECT_EQ(recent.moveCount(), 1);
  EXPECT_EQ(recent.moveFolders()[1], L"");
  EXPECT_EQ(recent.moveFolders()[2], L"");
}

TEST_F(Recent, MostRecentlyUsedOrder) {
  StoreCopies({L"C:\\1", L"C:\\2", L"C:\\3", L"C:\\4", L"C:\\5"});
  {
    RecentPaths recent;
    recent.AddCopyFolder(L"C:\\new");  // the oldest drops out
    EXPECT_EQ(recent.CopyList(), (PathList{L"C:\\new", L"C:\\1", L"C:\\2", L"C:\\3", L"C:\\4"}));
    recent.AddCopyFolder(L"C:\\2");  // the third moves to the top
    EXPECT_EQ(recent.CopyList(), (PathList{L"C:\\2", L"C:\\new", L"C:\\1", L"C:\\3", L"C:\\4"}));
    EXPECT_EQ(recent.copyCount(), 5);
    recent.AddCopyFolder(L"C:\\2");
    recent.AddCopyFolder(L"c:\\2");  // case-sensitive: a new entry
    EXPECT_EQ(recent.CopyList(), (PathList{L"c:\\2", L"C:\\2", L"C:\\new", L"C:\\1", L"C:\\3"}));
    recent.AddCopyFolder(L"");  // would hide the list behind an empty first slot
    EXPECT_EQ(recent.copyCount(), 5);
    EXPECT_EQ(recent.moveCount(), 0);
    recent.AddMoveFolder(L"D:\\m");
    EXPECT_EQ(recent.MoveList(), PathList{L"D:\\m"});
    recent.Save();  // as the command that changed them does
    recent.AddCopyFolder(L"C:\\unsaved");
  }  // going writes nothing
  EXPECT_EQ(StoredCopies(), (std::vector<std::wstring>{L"c:\\2", L"C:\\2", L"C:\\new", L"C:\\1", L"C:\\3"}));
  EXPECT_EQ(GetString(reg::RecentMovePathName(0).c_str()), L"D:\\m");
}

TEST_F(Recent, SaveWritesTenStringsAndCutsLongPaths) {
  std::wstring longPath = L"C:\\" + std::wstring(1200, L'p');
  {
    RecentPaths recent;
    recent.AddCopyFolder(longPath);
    recent.Save();
  }
  DWORD type = 0;
  EXPECT_EQ(GetValue(reg::RecentCopyPathName(0).c_str(), &type).size(), 1024u * 2);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(GetString(reg::RecentCopyPathName(0).c_str()), longPath.substr(0, 1023));
  for (int i = 1; i < RecentPaths::kSlots; ++i) EXPECT_EQ(GetValue(reg::RecentCopyPathName(i).c_str()).size(), 2u);
  for (int i = 0; i < RecentPaths::kSlots; ++i) EXPECT_TRUE(ValueExists(reg::RecentMovePathName(i).c_str()));

  RecentPaths reloaded;  // the stored 1023 characters read back whole
  EXPECT_EQ(reloaded.CopyList(), PathList{longPath.substr(0, 1023)});
}

TEST_F(Recent, AClearReachesAnObjectThatIsAlive) {
  StoreCopies({L"C:\\a", L"C:\\b"});
  PutString(reg::RecentMovePathName(0).c_str(), L"C:\\m");
  RecentPaths live;  // like the shell-extension object whose menu opened the settings
  ASSERT_EQ(live.copyCount(), 2);
  {
    RecentPaths dialog;
    dialog.ClearAll();
  }
  for (int i = 0; i < RecentPaths::kSlots; ++i) {
    EXPECT_EQ(GetValue(reg::RecentCopyPathName(i).c_str()).size(), 2u);
    EXPECT_EQ(GetString(reg::RecentMovePathName(i).c_str()), L"");
  }
  live.Save();  // a later command's save
  EXPECT_EQ(StoredCopies(), std::vector<std::wstring>(5));
  EXPECT_EQ(live.copyCount(), 0);
  EXPECT_EQ(GetString(reg::RecentMovePathName(0).c_str()), L"");
}

TEST_F(Recent, AFolderAddedAfterAClearIsKept) {
  StoreCopies({L"C:\\a", L"C:\\b"});
  auto live = std::make_unique<RecentPaths>();
  RecentPaths().ClearAll();
  live->AddCopyFolder(L"C:\\new");  // picked after the clear: the old folders stay gone
  EXPECT_EQ(live->CopyList(), PathList{L"C:\\new"});
  live->Save();
  live.reset();
  EXPECT_EQ(StoredCopies(), (std::vector<std::wstring>{L"C:\\new", L"", L"", L"", L""}));

  // An object created after the clear saves as usual.
  RecentPaths later;
  later.AddCopyFolder(L"C:\\z");
  later.Save();
  EXPECT_EQ(StoredCopies()[1], L"C:\\new");
}

TEST_F(Recent, AClearInAnotherProcessReachesAnObjectThatIsAlive) {
  StoreCopies({L"C:\\a", L"C:\\b"});
  RecentPaths live;
  ASSERT_EQ(live.copyCount(), 2);
  ASSERT_EQ(RunTestInChildProcess(L"Recent.DISABLED_ClearAllForAnotherProcess"), 0u);
  EXPECT_EQ(StoredCopies(), std::vector<std::wstring>(5));
  live.Save();
  EXPECT_EQ(StoredCopies(), std::vector<std::wstring>(5));
}

// Run by the test above in a child process.
TEST_F(Recent, DISABLED_ClearAllForAnotherProcess) {
  ASSERT_TRUE(sandbox.redirected());
  RecentPaths().ClearAll();
}

TEST_F(Recent, MenuContextReadsTheStoredState) {
  RecentPaths empty;
  MenuContext first = ReadMenuContext(false);  // a first run with no key
  EXPECT_EQ(first.mode, MenuMode::Full);
  EXPECT_TRUE(first.favorites.empty());
  EXPECT_TRUE(first.recentCopy.empty());
  EXPECT_FALSE(first.hasStoredSort);

  PutBinary(reg::kFavoritesSettings, {0});
  PutMultiString(reg::kFavoritesItems, {L"5", L"0", L"0", L"18"});
  PutBinary(reg::kLastDesktopSortData, std::vector<uint8_t>(644, 7));
  StoreCopies({L"C:\\a", L"C:\\b"});
  RecentPaths recent;
  MenuContext context = ReadMenuContext(false);
  EXPECT_EQ(context.mode, MenuMode::FavoritesOnly);
  EXPECT_EQ(context.favorites, (std::vector<CommandId>{5, 0, 18}));
  EXPECT_EQ(context.recentCopy, (PathList{L"C:\\a", L"C:\\b"}));
  EXPECT_TRUE(context.recentMove.empty());
  EXPECT_TRUE(context.hasStoredSort);
  EXPECT_EQ(context.desktop.user, QueryDesktopFolders().user);
  EXPECT_EQ(ReadMenuContext(true).mode, MenuMode::DesktopBackground);

  PutBinary(reg::kLastDesktopSortData, std::vector<uint8_t>(645, 7));
  EXPECT_FALSE(HasStoredDesktopSort());
  PutString(reg::kLastDesktopSortData, L"x");
  EXPECT_FALSE(HasStoredDesktopSort());
  PutBinary(reg::kLastDesktopSortData, std::vector<uint8_t>(100, 7));
  EXPECT_TRUE(HasStoredDesktopSort());
}

}  // namespace
