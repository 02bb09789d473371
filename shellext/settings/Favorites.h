#pragma once
// The user's favourite commands, stored as the multi-string "Favorites Items": one decimal id per
// string; 0 stands for a separator.
#include <cstddef>
#include <vector>

#include "base/CommandId.h"

using FavoritesList = std::vector<CommandId>;

// The stored value never exceeds this many bytes (1024 wide characters).
constexpr size_t kFavoritesMaxBytes = 2048;

// The stored list: ids below 64 only, text that is no number read as a separator, and an entry
// equal to the one before it dropped. Empty when nothing readable is stored.
FavoritesList LoadFavorites();

// Stores the list as far as it fits into kFavoritesMaxBytes; entries beyond are left out.
void SaveFavorites(const FavoritesList& list);

// The bytes the list takes when stored: every id in decimal with its terminator.
size_t FavoritesStoredSize(const FavoritesList& list);
