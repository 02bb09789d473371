#include "shellext/dialogs/FavoritesEditor.h"

#include <algorithm>

namespace {

FavoriteRows::iterator FirstSelected(FavoriteRows& rows) {
  return std::find_if(rows.begin(), rows.end(), [](const FavoriteRow& row) { return row.selected; });
}

}  // namespace

FavoritesEditor::FavoritesEditor(const FavoritesList& list) {
  for (CommandId id : list) favorites.push_back({id, false});
  for (CommandId id = 0; id < kOfferedCommands; ++id)
    if (id == cmd::Separator || std::find(list.begin(), list.end(), id) == list.end()) available.push_back({id, false});
}

bool FavoritesEditor::Add() {
  FavoritesList stored = Result();
  bool refusedAny = false;
  FavoriteRows kept;
  for (const FavoriteRow& row : available) {
    bool moves = row.selected && !refusedAny;
    if (moves) {
      stored.push_back(row.id);
      if (FavoritesStoredSize(stored) > kFavoritesMaxBytes) {
        stored.pop_back();
        refusedAny = true;
        moves = false;
      } else {
        favorites.push_back({row.id, false});
      }
    }
    if (!moves || row.id == cmd::Separator) kept.push_back(row);
  }
  available = std::move(kept);
  return !refusedAny;
}

void FavoritesEditor::Remove() {
  for (size_t i = 0; i < favorites.size(); ++i) {
    if (!favorites[i].selected || favorites[i].id == cmd::Separator) continue;
    size_t at = std::min(i, available.size());
    available.insert(available.begin() + at, {favorites[i].id, false});
  }
  favorites.erase(std::remove_if(favorites.begin(), favorites.end(), [](const FavoriteRow& row) { return row.selected; }),
                  favorites.end());
}

void FavoritesEditor::MoveUp() {
  auto row = FirstSelected(favorites);
  if (row != favorites.end() && row != favorites.begin()) std::iter_swap(row, row - 1);
}

void FavoritesEditor::MoveDown() {
  auto row = FirstSelected(favorites);
  if (row != favorites.end() && row + 1 != favorites.end()) std::iter_swap(row, row + 1);
}

FavoritesList FavoritesEditor::Result() const {
  FavoritesList list;
  for (const FavoriteRow& row : favorites) list.push_back(row.id);
  return list;
}
