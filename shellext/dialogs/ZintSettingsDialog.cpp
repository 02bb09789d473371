#include "shellext/dialogs/ZintSettingsDialog.h"

#include "shellext/dialogs/DialogIcon.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/RecentPaths.h"

namespace {

struct IntervalChoice {
  const wchar_t* text;
  uint32_t days;
};
constexpr IntervalChoice kIntervals[] = {{L"Day", 1}, {L"Week", 7}, {L"Month", 30}, {L"Never", 0}};
constexpr int kNeverIndex = 3;

}  // namespace

int UpdateIntervalListIndex(uint32_t days) {
  for (int i = 0; i < kNeverIndex; ++i)
    if (kIntervals[i].days == days) return i;
  return kNeverIndex;
}

uint32_t UpdateIntervalOfListIndex(int index) {
  if (index < 0 || index > kNeverIndex) return kDefaultUpdatesInterval;
  return kIntervals[index].days;
}

CZintSettingsDialog::CZintSettingsDialog() : CZintBaseDialog(CommandResourceIcon(cmd::Settings)) {}

BOOL CZintSettingsDialog::OnInitDialog(LPARAM) {
  ShowHeaderIcon(Handle(), Icon());
  BrivaneSettings settings;
  CheckRadioButton(Handle(), IDC_SETTINGS_FAVORITES_SUBMENU, IDC_SETTINGS_FAVORITES_ONLY,
                   settings.GetFavoritesSettings() ? IDC_SETTINGS_FAVORITES_SUBMENU : IDC_SETTINGS_FAVORITES_ONLY);
  for (const IntervalChoice& choice : kIntervals)
    SendItem(IDC_SETTINGS_UPDATE_INTERVAL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text));
  SendItem(IDC_SETTINGS_UPDATE_INTERVAL, CB_SETCURSEL,
           WPARAM(UpdateIntervalListIndex(settings.GetAutomaticUpdatesInterval())));
  return TRUE;
}

bool CZintSettingsDialog::OnCommand(int id, int code, HWND) {
  if (id == IDC_SETTINGS_CLEAR_RECENT && code == BN_CLICKED) {
    ClearRecentData();
    return true;
  }
  if (id == IDOK) {
    Save();
    EndDialog(IDOK);
    return true;
  }
  return false;
}

void CZintSettingsDialog::ClearRecentData() {
  // Hand the focus on before the button goes grey, so the keyboard keeps working.
  if (GetFocus() == Item(IDC_SETTINGS_CLEAR_RECENT)) SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(Item(IDC_SETTINGS_CLEAR_RECENT), FALSE);
  RecentPaths().ClearAll();
}

void CZintSettingsDialog::Save() {
  bool fullMenu = IsDlgButtonChecked(Handle(), IDC_SETTINGS_FAVORITES_SUBMENU) == BST_CHECKED;
  int index = int(SendItem(IDC_SETTINGS_UPDATE_INTERVAL, CB_GETCURSEL));
  BrivaneSettings settings;
  settings.SetFavoritesSettings(fullMenu);
  settings.SetAutomaticUpdatesInterval(UpdateIntervalOfListIndex(index));
}
