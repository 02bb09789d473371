#include <gtest/gtest.h>

#include "shellext/dialogs/FavoritesEditor.h"

namespace {

std::vector<CommandId> Ids(const FavoriteRows& rows) {
  std::vector<CommandId> ids;
  for (const auto& row : rows) ids.push_back(row.id);
  return ids;
}

void Select(FavoriteRows& rows, std::initializer_list<CommandId> ids) {
  for (auto& row : rows) row.selected = std::find(ids.begin(), ids.end(), row.id) != ids.end();
}

TEST(FavoritesEditor, OffersTheSeparatorAndTheCommandsThatAreNoFavouriteYet) {
  FavoritesEditor editor({5, 0, 18, 63});
  EXPECT_EQ(editor.available.size(), 50u - 2);
  EXPECT_EQ(editor.available.front().id, 0u);
  EXPECT_EQ(editor.available.back().id, 49u);
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{5, 0, 18, 63}));
  for (const auto& row : editor.available) EXPECT_TRUE(row.id != 5 && row.id != 18);
}

TEST(FavoritesEditor, AddKeepsTheSeparatorAvailable) {
  FavoritesEditor editor({});
  Select(editor.available, {0, 3, 7});
  EXPECT_TRUE(editor.Add());
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{0, 3, 7}));
  EXPECT_EQ(editor.available[0].id, 0u);
  EXPECT_EQ(editor.available.size(), 48u);
  Select(editor.available, {0});
  editor.Add();  // a second separator
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{0, 3, 7, 0}));
  EXPECT_EQ(editor.available.size(), 48u);
}

TEST(FavoritesEditor, RemoveReturnsRowsAtTheirRowNumber) {
  FavoritesEditor editor({0, 12, 0, 3});
  Select(editor.favorites, {12, 3});
  editor.favorites[2].selected = true;  // the second separator
  editor.Remove();
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{0}));
  // 12 was row 1, 3 was row 3: inserted there in that order.
  EXPECT_EQ(editor.available[1].id, 12u);
  EXPECT_EQ(editor.available[3].id, 3u);
  EXPECT_EQ(editor.available.size(), 50u);
}

TEST(FavoritesEditor, UpAndDownMoveTheFirstSelectedRowWithItsSelection) {
  FavoritesEditor editor({1, 2, 3});
  Select(editor.favorites, {1});
  editor.MoveUp();  // already on top
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{1, 2, 3}));
  editor.MoveDown();
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{2, 1, 3}));
  EXPECT_TRUE(editor.favorites[1].selected);
  Select(editor.favorites, {1, 3});
  editor.MoveDown();  // only the first selected row moves
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{2, 3, 1}));
  editor.MoveDown();
  editor.MoveDown();  // the last row stays
  EXPECT_EQ(Ids(editor.favorites), (std::vector<CommandId>{2, 3, 1}));
  EXPECT_EQ(editor.Result(), (FavoritesList{2, 3, 1}));
}

TEST(FavoritesEditor, AddRefusesRowsBeyondTheStoredLimit) {
  // 510 separators take 2040 bytes: one more separator (4 bytes) fits, a two-digit id (6 bytes) then not.
  FavoritesEditor editor(FavoritesList(510, 0));
  Select(editor.available, {0, 12});
  EXPECT_FALSE(editor.Add());
  EXPECT_EQ(editor.favorites.size(), 511u);
  EXPECT_EQ(FavoritesStoredSize(editor.Result()), 2044u);
  ASSERT_EQ(editor.available[12].id, 12u);  // refused: still available and still selected
  EXPECT_TRUE(editor.available[12].selected);
}

}  // namespace
