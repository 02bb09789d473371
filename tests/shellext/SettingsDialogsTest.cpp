// The Settings, About and Manage Favorites dialogs, driven from a second thread while they run modally.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "RecordingStarter.h"
#include "base/Prompt.h"
#include "resource.h"
#include "shellext/dialogs/ZintAboutDialog.h"
#include "shellext/dialogs/ZintFavoriteDialog.h"
#include "shellext/dialogs/ZintSettingsDialog.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/Favorites.h"
#include "shellext/settings/RecentPaths.h"
#include "shellext/settings/SettingsRegistry.h"
#include "shellext/settings/UpdaterLauncher.h"
#include "support/DialogProbe.h"
#include "support/Screenshot.h"
#include "support/SettingsSandbox.h"
#include "support/WindowDriver.h"

namespace {

namespace reg = settings_registry;

struct PromptRecord {
  std::wstring text, caption;
  UINT type = 0;
  int count = 0;
};
PromptRecord g_prompt;

class Dialogs : public ::testing::Test {
 protected:
  SettingsSandbox sandbox;
  RecordingStarter starter;
  const std::vector<RecordingStarter::Start>& started = RecordingStarter::started();

  void SetUp() override {
    g_prompt = {};
    SetPromptHook([](HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
      g_prompt = {text, caption, type, g_prompt.count + 1};
      return IDOK;
    });
  }
  void TearDown() override { SetPromptHook(nullptr); }
};

// A button press carried out before the call returns.
void Press(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring SelectedInterval(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_UPDATE_INTERVAL);
  LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index < 0) return L"(none)";
  wchar_t text[64] = L"";
  SendMessageW(list, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
  return text;
}

void PutInterval(uint32_t days) { PutBinary(reg::kAutomaticUpdatesInterval, {uint8_t(days), 0, 0, 0}); }

TEST_F(Dialogs, SettingsShowStoredValuesAndOkStoresTheChoice) {
  PutBinary(reg::kFavoritesSettings, {0});
  PutInterval(14);  // not offered by the list
  bool favoritesOnly = false, submenu = true;
  std::wstring interval;
  int entries = 0;
  WindowDriver driver(L"Brivane - Settings", [&](HWND dialog) {
    favoritesOnly = Checked(dialog, IDC_SETTINGS_FAVORITES_ONLY);
    submenu = Checked(dialog, IDC_SETTINGS_FAVORITES_SUBMENU);
    interval = SelectedInterval(dialog);
    entries = int(SendDlgItemMessageW(dialog, IDC_SETTINGS_UPDATE_INTERVAL, CB_GETCOUNT, 0, 0));
    Click(dialog, IDOK);
  });
  CZintSettingsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_TRUE(driver.found());
  EXPECT_TRUE(favoritesOnly);
  EXPECT_FALSE(submenu);
  EXPECT_EQ(interval, L"Never");
  EXPECT_EQ(entries, 4);
  EXPECT_EQ(BrivaneSettings().GetAutomaticUpdatesInterval(), 0u);
  EXPECT_FALSE(BrivaneSettings().GetFavoritesSettings());
}

TEST_F(Dialogs, SettingsDefaultsAndEveryListEntry) {
  const std::pair<const wchar_t*, uint32_t> entries[] = {{L"Day", 1}, {L"Week", 7}, {L"Month", 30}, {L"Never", 0}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(entries[i].first);
    SettingsSandbox::RemoveKey();
    PutBinary(reg::kFavoritesSettings, {1});  // the interval is written only into an existing key
    std::wstring shown;
    bool submenu = false;
    WindowDriver driver(L"Brivane - Settings", [&](HWND dialog) {
      shown = SelectedInterval(dialog);
      submenu = Checked(dialog, IDC_SETTINGS_FAVORITES_SUBMENU);
      SendDlgItemMessageW(dialog, IDC_SETTINGS_UPDATE_INTERVAL, CB_SETCURSEL, WPARAM(i), 0);
      Click(dialog, IDOK);
    });
    CZintSettingsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, L"Week");  // nothing stored: 7 days
    EXPECT_TRUE(submenu);
    EXPECT_EQ(BrivaneSettings().GetAutomaticUpdatesInterval(), entries[i].second);
    EXPECT_EQ(GetValue(reg::kFavoritesSettings), std::vector<uint8_t>{1});
  }
}

TEST_F(Dialogs, SettingsCancelWritesNothing) {
  WindowDriver driver(L"Brivane - Settings", [&](HWND dialog) {
    CheckRadioButton(dialog, IDC_SETTINGS_FAVORITES_SUBMENU, IDC_SETTINGS_FAVORITES_ONLY, IDC_SETTINGS_FAVORITES_ONLY);
    SendDlgItemMessageW(dialog, IDC_SETTINGS_UPDATE_INTERVAL, CB_SETCURSEL, 0, 0);
    Click(dialog, IDCANCEL);
  });
  CZintSettingsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_FALSE(SettingsSandbox::KeyExists());
}

TEST_F(Dialogs, ClearRecentDataOutlivesTheLiveObjectsSave) {
  for (int i = 0; i < RecentPaths::kSlots; ++i) {
    PutString(reg::RecentCopyPathName(i).c_str(), L"C:\\copy" + std::to_wstring(i));
    PutString(reg::RecentMovePathName(i).c_str(), L"C:\\move" + std::to_wstring(i));
  }
  auto live = std::make_unique<RecentPaths>();  // the object whose menu opened the settings
  ASSERT_EQ(live->copyCount(), 5);
  bool enabledBefore = false, enabledAfter = true;
  std::vector<std::wstring> afterClear;
  WindowDriver driver(L"Brivane - Settings", [&](HWND dialog) {
    enabledBefore = IsWindowEnabled(GetDlgItem(dialog, IDC_SETTINGS_CLEAR_RECENT));
    Press(dialog, IDC_SETTINGS_CLEAR_RECENT);
    enabledAfter = IsWindowEnabled(GetDlgItem(dialog, IDC_SETTINGS_CLEAR_RECENT));
    for (int i = 0; i < RecentPaths::kSlots; ++i) {
      afterClear.push_back(GetString(reg::RecentCopyPathName(i).c_str()));
      afterClear.push_back(GetString(reg::RecentMovePathName(i).c_str()));
    }
    Click(dialog, IDCANCEL);  // Cancel does not undo the clear
  });
  CZintSettingsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(enabledBefore);
  EXPECT_FALSE(enabledAfter);
  EXPECT_EQ(afterClear, std::vector<std::wstring>(10));

  live.reset();
  for (int i = 0; i < RecentPaths::kSlots; ++i) {
    EXPECT_TRUE(ValueExists(reg::RecentCopyPathName(i).c_str()));
    EXPECT_EQ(GetString(reg::RecentCopyPathName(i).c_str()), L"");
    EXPECT_EQ(GetString(reg::RecentMovePathName(i).c_str()), L"");
  }
}

TEST_F(Dialogs, AboutLinksOpenTheirAddressAndCheckForUpdatesStartsTheUpdater) {
  std::wstring productLink, iconsLink;
  WindowDriver driver(L"About Brivane", [&](HWND dialog) {
    HWND link = GetDlgItem(dialog, IDC_ABOUT_PRODUCT_LINK);
    productLink = WindowText(link);
    iconsLink = WindowText(GetDlgItem(dialog, IDC_ABOUT_ICONS_LINK));
    EXPECT_EQ(SendMessageW(link, WM_NCHITTEST, 0, 0), HTCLIENT);  // the link takes the mouse
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(link, WM_LBUTTONUP, 0, 0);
    SendMessageW(GetDlgItem(dialog, IDC_ABOUT_ICONS_LINK), WM_LBUTTONUP, 0, 0);
    Press(dialog, IDC_ABOUT_CHECK_UPDATES);
  });
  CZintAboutDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 0);
  ASSERT_EQ(started.size(), 3u);
  EXPECT_EQ(started[0].first, productLink);
  EXPECT_EQ(started[1].first, iconsLink);
  EXPECT_EQ(productLink.rfind(L"https://", 0), 0u);
  EXPECT_EQ(started[2].first, UpdaterPath());
  EXPECT_EQ(started[2].second, L"(none)");  // interactive: no "/Silent"
  EXPECT_EQ(g_prompt.count, 0);
}

TEST_F(Dialogs, AboutSaysSoWhenTheUpdaterCannotBeStarted) {
  RecordingStarter::succeeds() = false;
  bool stillOpen = false;
  WindowDriver driver(L"About Brivane", [&](HWND dialog) {
    Press(dialog, IDC_ABOUT_CHECK_UPDATES);
    stillOpen = IsWindowVisible(dialog);
    Click(dialog, IDOK);
  });
  CZintAboutDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(g_prompt.count, 1);
  EXPECT_EQ(g_prompt.text, L"Error loading Brivane Updater");
  EXPECT_EQ(g_prompt.caption, L"Brivane - About");
  EXPECT_EQ(g_prompt.type, UINT(MB_ICONERROR));
}

// The command ids of a list view's rows, and the selection.
std::vector<CommandId> Rows(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  std::vector<CommandId> ids;
  int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    ListView_GetItem(list, &item);
    ids.push_back(CommandId(item.lParam));
  }
  return ids;
}

void SelectRows(HWND dialog, int id, std::initializer_list<int> rows) {
  HWND list = GetDlgItem(dialog, id);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  for (int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::wstring RowText(HWND dialog, int id, int row) {
  wchar_t text[256] = L"";
  ListView_GetItemText(GetDlgItem(dialog, id), row, 0, text, 256);
  return text;
}

// Another window of the dialog's thread with the same caption, such as its message box.
HWND WaitForOtherWindow(HWND dialog, const std::wstring& caption) {
  struct Search {
    HWND dialog;
    const std::wstring* caption;
    HWND found;
  } search{dialog, &caption, nullptr};
  DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  for (int tries = 0; tries < 250 && !search.found; ++tries) {
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) {
          auto* s = reinterpret_cast<Search*>(param);
          if (window == s->dialog || !IsWindowVisible(window) || WindowText(window) != *s->caption) return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(20);
  }
  return search.found;
}

int SelectedRow(HWND dialog, int id) { return ListView_GetNextItem(GetDlgItem(dialog, id), -1, LVNI_SELECTED); }

TEST_F(Dialogs, FavoritesButtonsMoveRowsAndOkSaves) {
  SaveFavorites({5, 0, 18});
  std::vector<CommandId> available, chosen;
  std::wstring firstText;
  std::vector<CommandId> afterAdd, afterSeparators, afterUpOnTop, afterDownOnLast, afterDown, afterRemove;
  std::vector<CommandId> availableAfterAdd, availableAfterRemove;
  int selectedAfterDown = -1;
  WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
    available = Rows(dialog, IDC_FAVORITES_AVAILABLE);
    chosen = Rows(dialog, IDC_FAVORITES_CHOSEN);
    firstText = RowText(dialog, IDC_FAVORITES_CHOSEN, 0);

    SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {1, 2});  // commands 1 and 2
    Press(dialog, IDC_FAVORITES_ADD);
    afterAdd = Rows(dialog, IDC_FAVORITES_CHOSEN);
    availableAfterAdd = Rows(dialog, IDC_FAVORITES_AVAILABLE);

    SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {0});  // the separator, twice
    Press(dialog, IDC_FAVORITES_ADD);
    Press(dialog, IDC_FAVORITES_ADD);
    afterSeparators = Rows(dialog, IDC_FAVORITES_CHOSEN);

    SelectRows(dialog, IDC_FAVORITES_CHOSEN, {0});
    Press(dialog, IDC_FAVORITES_UP);
    afterUpOnTop = Rows(dialog, IDC_FAVORITES_CHOSEN);
    SelectRows(dialog, IDC_FAVORITES_CHOSEN, {6});
    Press(dialog, IDC_FAVORITES_DOWN);
    afterDownOnLast = Rows(dialog, IDC_FAVORITES_CHOSEN);

    SelectRows(dialog, IDC_FAVORITES_CHOSEN, {0});  // 5 moves below the separator
    Press(dialog, IDC_FAVORITES_DOWN);
    afterDown = Rows(dialog, IDC_FAVORITES_CHOSEN);
    selectedAfterDown = SelectedRow(dialog, IDC_FAVORITES_CHOSEN);

    SelectRows(dialog, IDC_FAVORITES_CHOSEN, {2, 3});  // 18 and 1
    Press(dialog, IDC_FAVORITES_REMOVE);
    afterRemove = Rows(dialog, IDC_FAVORITES_CHOSEN);
    availableAfterRemove = Rows(dialog, IDC_FAVORITES_AVAILABLE);
    Click(dialog, IDOK);
  });
  CZintFavoriteDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_TRUE(driver.found());

  EXPECT_EQ(chosen, (std::vector<CommandId>{5, 0, 18}));
  EXPECT_EQ(firstText, L"Move Files Up");
  ASSERT_EQ(available.size(), 48u);
  EXPECT_EQ(available[0], 0u);
  EXPECT_EQ(available[5], 6u);  // 5 is a favourite already
  EXPECT_EQ(available.back(), 49u);

  EXPECT_EQ(afterAdd, (std::vector<CommandId>{5, 0, 18, 1, 2}));
  EXPECT_EQ(availableAfterAdd.size(), 46u);
  EXPECT_EQ(availableAfterAdd[1], 3u);
  EXPECT_EQ(afterSeparators, (std::vector<CommandId>{5, 0, 18, 1, 2, 0, 0}));
  EXPECT_EQ(afterUpOnTop, afterSeparators);
  EXPECT_EQ(afterDownOnLast, afterSeparators);
  EXPECT_EQ(afterDown, (std::vector<CommandId>{0, 5, 18, 1, 2, 0, 0}));
  EXPECT_EQ(selectedAfterDown, 1);
  EXPECT_EQ(afterRemove, (std::vector<CommandId>{0, 5, 2, 0, 0}));
  // 18 went back at row 2, then 1 at row 3.
  ASSERT_GE(availableAfterRemove.size(), 4u);
  EXPECT_EQ(availableAfterRemove[2], 18u);
  EXPECT_EQ(availableAfterRemove[3], 1u);

  // The two separators in a row read back as one.
  EXPECT_EQ(LoadFavorites(), (FavoritesList{0, 5, 2, 0}));
}

TEST_F(Dialogs, FavoritesCancelSavesNothing) {
  SaveFavorites({5, 0, 18});
  std::vector<uint8_t> before = GetValue(reg::kFavoritesItems);
  WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
    SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {3});
    Press(dialog, IDC_FAVORITES_ADD);
    SelectRows(dialog, IDC_FAVORITES_CHOSEN, {0});
    Press(dialog, IDC_FAVORITES_REMOVE);
    Click(dialog, IDCANCEL);
  });
  CZintFavoriteDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(GetValue(reg::kFavoritesItems), before);
}

// The columns span their lists at any DPI, also when rows moving across bring or take away a list's
// vertical scroll bar.
TEST_F(Dialogs, FavoritesColumnsFillTheirListsAsRowsComeAndGo) {
  SaveFavorites({5, 0, 18});
  ColumnFit available, chosen, availableAfter, chosenAfter;
  int iconWidth = 0, iconHeight = 0;
  WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
    ImageList_GetIconSize(ListView_GetImageList(GetDlgItem(dialog, IDC_FAVORITES_CHOSEN), LVSIL_SMALL), &iconWidth,
                          &iconHeight);
    available = ReadColumnFit(dialog, IDC_FAVORITES_AVAILABLE);
    chosen = ReadColumnFit(dialog, IDC_FAVORITES_CHOSEN);
    HWND list = GetDlgItem(dialog, IDC_FAVORITES_AVAILABLE);
    int count = ListView_GetItemCount(list);
    for (int row = 1; row < count - 2; ++row) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    Press(dialog, IDC_FAVORITES_ADD);
    availableAfter = ReadColumnFit(dialog, IDC_FAVORITES_AVAILABLE);
    chosenAfter = ReadColumnFit(dialog, IDC_FAVORITES_CHOSEN);
    Click(dialog, IDCANCEL);
  });
  CZintFavoriteDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_TRUE(driver.found());
  for (const ColumnFit* fit : {&available, &chosen, &availableAfter, &chosenAfter}) {
    EXPECT_EQ(fit->column, fit->client);
    EXPECT_LT(fit->widestText, fit->column);
  }
  // The chosen list gained a scroll bar and the available one lost its own.
  EXPECT_LT(chosenAfter.client, chosen.client);
  EXPECT_GT(availableAfter.client, available.client);
  // The rows' icons are the system's small icons at the program's DPI (24 pixels at 150 %).
  EXPECT_EQ(iconWidth, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(iconHeight, GetSystemMetrics(SM_CYSMICON));
}

TEST_F(Dialogs, FavoritesRefuseARowThatWouldNotFitTheStoredValue) {
  FavoritesList full;  // 1, 0, 1, 0 ... takes 2040 of 2048 bytes and keeps no neighbours alike
  for (int i = 0; i < 510; ++i) full.push_back(i % 2 ? 0 : 1);
  SaveFavorites(full);
  ASSERT_EQ(LoadFavorites().size(), 510u);
  size_t chosen = 0;
  std::vector<CommandId> available;
  WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
    SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {0, 12});  // a separator fits, command 13 then not
    Press(dialog, IDC_FAVORITES_ADD);
    chosen = Rows(dialog, IDC_FAVORITES_CHOSEN).size();
    available = Rows(dialog, IDC_FAVORITES_AVAILABLE);
    Click(dialog, IDOK);
  });
  CZintFavoriteDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(chosen, 511u);
  ASSERT_EQ(available.size(), 49u);
  EXPECT_EQ(available[12], 13u);
  EXPECT_EQ(g_prompt.count, 1);
  EXPECT_EQ(g_prompt.caption, L"Brivane - Manage Favorites");
  EXPECT_EQ(g_prompt.type, UINT(MB_ICONWARNING));
  EXPECT_EQ(GetValue(reg::kFavoritesItems).size(), 2044u);
}

// Pictures for a person to look at; only when BRIVANE_SHOTS names a folder.
TEST_F(Dialogs, Screenshots) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  PutBinary(reg::kFavoritesSettings, {1});
  PutInterval(7);
  {
    WindowDriver driver(L"Brivane - Settings", [&](HWND dialog) {
      EXPECT_TRUE(SaveWindowPng(dialog, folder + L"\\settings-settings.png"));
      Click(dialog, IDCANCEL);
    });
    CZintSettingsDialog().DoModal();
  }
  {
    WindowDriver driver(L"About Brivane", [&](HWND dialog) {
      EXPECT_TRUE(SaveWindowPng(dialog, folder + L"\\settings-about.png"));
      Click(dialog, IDOK);
    });
    CZintAboutDialog().DoModal();
  }
  SaveFavorites({63, 0, 3, 4, 0, 18, 21, 25, 0, 16, 17});
  SetPromptHook(nullptr);  // the dialog puts its own message box in
  {
    WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
      SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {5});
      SelectRows(dialog, IDC_FAVORITES_CHOSEN, {5});
      EXPECT_TRUE(SaveWindowPng(dialog, folder + L"\\settings-favorites.png"));
      Click(dialog, IDCANCEL);
    });
    CZintFavoriteDialog().DoModal();
  }
  FavoritesList full;
  for (int i = 0; i < 510; ++i) full.push_back(i % 2 ? 0 : 1);
  SaveFavorites(full);
  {
    WindowDriver driver(L"Brivane - Manage Favorites", [&](HWND dialog) {
      SelectRows(dialog, IDC_FAVORITES_AVAILABLE, {0, 12});
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FAVORITES_ADD, BN_CLICKED), 0);
      HWND box = WaitForOtherWindow(dialog, L"Brivane - Manage Favorites");
      EXPECT_NE(box, nullptr);
      if (box) {
        EXPECT_TRUE(SaveWindowPng(box, folder + L"\\settings-favorites-full.png"));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      Click(dialog, IDCANCEL);
    });
    CZintFavoriteDialog().DoModal();
  }
}

}  // namespace
