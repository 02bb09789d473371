#include "shellext/menu/MenuContextReader.h"

#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/Favorites.h"
#include "shellext/settings/SettingsRegistry.h"

bool HasStoredDesktopSort() {
  DesktopSortSettings scratch = DefaultDesktopSortSettings();
  return settings_registry::ReadRecord(settings_registry::kLastDesktopSortData, &scratch, sizeof scratch);
}

MenuContext ReadMenuContext(const RecentPaths& recent, bool desktopBackground) {
  MenuContext context;
  if (desktopBackground)
    context.mode = MenuMode::DesktopBackground;
  else
    context.mode = BrivaneSettings().GetFavoritesSettings() ? MenuMode::Full : MenuMode::FavoritesOnly;
  context.favorites = LoadFavorites();
  context.recentCopy = recent.CopyList();
  context.recentMove = recent.MoveList();
  context.hasStoredSort = HasStoredDesktopSort();
  // Only the greying rules compare with the desktop folders, and the background menu greys nothing.
  if (!desktopBackground) context.desktop = QueryDesktopFolders();
  return context;
}
