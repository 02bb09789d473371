#pragma once
// The two lists of the "Manage Favorites" dialog as data: the commands still available and the
// favourites in menu order, each row with its selection. The dialog copies the list views'
// selections in, applies one button, and shows the rows again.
#include <vector>

#include "shellext/settings/Favorites.h"

struct FavoriteRow {
  CommandId id = 0;
  bool selected = false;
};
using FavoriteRows = std::vector<FavoriteRow>;

class FavoritesEditor {
 public:
  // Commands 50-63 (About, Settings, the recent folders, Contents, Manage Favorites) are never offered.
  static constexpr CommandId kOfferedCommands = 50;

  // Available: in id order, the separator and every offered command that is not a favourite.
  explicit FavoritesEditor(const FavoritesList& favorites);

  FavoriteRows available;
  FavoriteRows favorites;

  // ">>": appends the selected available rows to the favourites in list order and removes them from
  // the available list, except the separator, which stays for further use. Rows that would make the
  // stored value exceed its limit are refused; false when any row was refused.
  bool Add();
  // "<<": each selected favourite goes back to the available list at its own row number (or the end);
  // selected separators are just removed.
  void Remove();
  // "Up"/"Down": the first selected favourite swaps places with its neighbour, keeping its selection.
  void MoveUp();
  void MoveDown();

  FavoritesList Result() const;
};
