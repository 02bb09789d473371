#pragma once
// Gathers the stored state that shapes a menu: mode, favourites, recent folders, stored sort.
#include "desktop/DesktopSortSettings.h"
#include "shellext/menu/MenuModel.h"
#include "shellext/settings/RecentPaths.h"

// Desktop background mode wins over the stored mode; "FavoritesSettings" 0 gives favourites-only.
MenuContext ReadMenuContext(const RecentPaths& recent, bool desktopBackground);

// True when "LastDesktopSortData" holds a readable record (REG_BINARY, at most 644 bytes).
bool HasStoredDesktopSort();

constexpr DWORD kDesktopSortRecordBytes = sizeof(DesktopSortSettings);
