#pragma once
// Gathers the stored state that shapes a menu: mode, favourites, recent folders, stored sort.
#include "desktop/DesktopSortSettings.h"
#include "shellext/menu/MenuModel.h"

// Desktop background mode wins over the stored mode; "FavoritesSettings" 0 gives favourites-only.
// Read from the process's settings snapshot: no registry reads unless something changed.
MenuContext ReadMenuContext(bool desktopBackground);

constexpr DWORD kDesktopSortRecordBytes = sizeof(DesktopSortSettings);
