#pragma once
// What every right-click and every release of the shell-extension object read from the registry and
// the shell: the menu's mode, favourites, recent folders, whether a desktop sort is stored, the update
// schedule and the desktop folders. Kept for the whole process and read again only after one of their
// keys changed, in this process or another, so a right-click costs one wait instead of some twenty
// registry calls and two shell queries.
#include <cstdint>
#include <memory>

#include "base/PathList.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/DesktopFolders.h"
#include "shellext/settings/Favorites.h"

struct SettingsSnapshot {
  bool fullMenu = true;  // "FavoritesSettings"
  FavoritesList favorites;
  PathList recentCopy;  // newest first
  PathList recentMove;
  bool hasStoredSort = false;
  uint32_t updatesInterval = kDefaultUpdatesInterval;
  int64_t lastCheckedForUpdates = 0;
  DesktopFolders desktop;
};

// The current values, shared and never changed once made; safe from any thread.
std::shared_ptr<const SettingsSnapshot> CurrentSettings();

// Reads everything again on the next call. Only for a process that maps the current user's key
// elsewhere (RegOverridePredefKey): the notifications still watch the keys of the old mapping.
void ForgetSettingsSnapshot();

// True when "LastDesktopSortData" holds a readable record (REG_BINARY, at most 644 bytes).
bool HasStoredDesktopSort();
