#include "shellext/dialogs/ZintFavoriteDialog.h"

#include <algorithm>

#include "base/Prompt.h"
#include "shellext/dialogs/DialogIcon.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/menu/IconCache.h"
#include "ui/Dpi.h"
#include "ui/ListColumn.h"
#include "ui/ZintMessageBox.h"

namespace {

constexpr size_t kMaxRowText = 255;
constexpr wchar_t kListFull[] =
    L"The favorites menu is full. Remove some items from it before adding more.";
constexpr wchar_t kCaption[] = L"Brivane - Manage Favorites";

void ReadSelection(HWND list, FavoriteRows& rows) {
  for (size_t i = 0; i < rows.size(); ++i)
    rows[i].selected = (ListView_GetItemState(list, int(i), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

}  // namespace

CZintFavoriteDialog::CZintFavoriteDialog() : CZintBaseDialog(CommandResourceIcon(cmd::ManageFavorites)) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
}

BOOL CZintFavoriteDialog::OnInitDialog(LPARAM) {
  ShowHeaderIcon(Handle(), Icon());
  // One image list for both views (they share it, LVS_SHAREIMAGELISTS); the dialog object owns it.
  // The rows' icons at the system's small-icon size for the window's DPI.
  int iconSize = SmallIconSize(WindowDpi(Handle()));
  images_.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 0, 8));
  for (CommandId id = 0; id < kCommandCount; ++id) {
    HICON icon = icon_cache::Icon(CommandIconSlot(id), iconSize);
    int index = icon ? ImageList_AddIcon(images_.get(), icon) : -1;
    if (index >= 0) imageOfCommand_[id] = index;
  }
  PrepareList(IDC_FAVORITES_AVAILABLE);
  PrepareList(IDC_FAVORITES_CHOSEN);
  editor_ = std::make_unique<FavoritesEditor>(LoadFavorites());
  ShowAll();
  return TRUE;
}

void CZintFavoriteDialog::PrepareList(int id) {
  HWND list = Item(id);
  LVCOLUMNW column{};
  ListView_InsertColumn(list, 0, &column);  // sized to the list as rows are shown
  ListView_SetImageList(list, images_.get(), LVSIL_SMALL);
}

void CZintFavoriteDialog::ShowRows(int id, const FavoriteRows& rows) {
  HWND list = Item(id);
  int top = ListView_GetTopIndex(list);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  bool focusSet = false;
  for (size_t i = 0; i < rows.size(); ++i) {
    auto label = table_.labels.find(rows[i].id);
    std::wstring text = label != table_.labels.end() ? label->second.substr(0, kMaxRowText) : std::wstring();
    auto image = imageOfCommand_.find(rows[i].id);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
    item.iItem = int(i);
    item.pszText = text.data();
    item.lParam = LPARAM(rows[i].id);
    item.iImage = image != imageOfCommand_.end() ? image->second : I_IMAGENONE;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (rows[i].selected) {
      item.state = LVIS_SELECTED | (focusSet ? 0 : LVIS_FOCUSED);
      focusSet = true;
    }
    ListView_InsertItem(list, &item);
  }
  // Keep the rows the user was looking at in view: scroll to the end, then back up to the old top.
  if (!rows.empty()) {
    ListView_EnsureVisible(list, int(rows.size()) - 1, FALSE);
    ListView_EnsureVisible(list, std::min(top, int(rows.size()) - 1), FALSE);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  FitOnlyColumn(list);
  InvalidateRect(list, nullptr, TRUE);
}

void CZintFavoriteDialog::ShowAll() {
  ShowRows(IDC_FAVORITES_AVAILABLE, editor_->available);
  ShowRows(IDC_FAVORITES_CHOSEN, editor_->favorites);
}

void CZintFavoriteDialog::TakeSelections() {
  ReadSelection(Item(IDC_FAVORITES_AVAILABLE), editor_->available);
  ReadSelection(Item(IDC_FAVORITES_CHOSEN), editor_->favorites);
}

void CZintFavoriteDialog::Add() {
  TakeSelections();
  size_t before = editor_->favorites.size();
  bool allAdded = editor_->Add();
  ShowAll();
  if (editor_->favorites.size() > before)
    ListView_EnsureVisible(Item(IDC_FAVORITES_CHOSEN), int(editor_->favorites.size()) - 1, FALSE);
  SetFocus(Item(IDC_FAVORITES_AVAILABLE));
  if (!allAdded) Prompt(Handle(), kListFull, kCaption, MB_ICONWARNING);
}

bool CZintFavoriteDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_FAVORITES_ADD:
      Add();
      return true;
    case IDC_FAVORITES_REMOVE:
    case IDC_FAVORITES_UP:
    case IDC_FAVORITES_DOWN:
      TakeSelections();
      if (id == IDC_FAVORITES_REMOVE) editor_->Remove();
      if (id == IDC_FAVORITES_UP) editor_->MoveUp();
      if (id == IDC_FAVORITES_DOWN) editor_->MoveDown();
      ShowAll();
      SetFocus(Item(IDC_FAVORITES_CHOSEN));
      return true;
    case IDOK:
      SaveFavorites(editor_->Result());
      EndDialog(IDOK);
      return true;
  }
  return false;
}
