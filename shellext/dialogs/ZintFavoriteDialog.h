#pragma once
// "Brivane - Manage Favorites": the available commands on the left, the favourites in menu order on
// the right, moved between and within the lists with ">>", "<<", "Up" and "Down".
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>

#include "resource.h"
#include "shellext/dialogs/FavoritesEditor.h"
#include "shellext/menu/CommandTable.h"
#include "ui/ZintBaseDialog.h"

class CZintFavoriteDialog : public CZintBaseDialog<CZintFavoriteDialog> {
 public:
  enum { IDD = IDD_MANAGE_FAVORITES };
  CZintFavoriteDialog();

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void PrepareList(int id);
  // Copies the list views' selections into the editor, and the editor's rows back into the views.
  void TakeSelections();
  void ShowRows(int id, const FavoriteRows& rows);
  void ShowAll();
  void Add();

  CommandTable table_;
  UniqueImageList images_;
  std::map<CommandId, int> imageOfCommand_;
  std::unique_ptr<FavoritesEditor> editor_;
};
