#include "shellext/menu/MenuContextReader.h"

#include "shellext/settings/SettingsSnapshot.h"

MenuContext ReadMenuContext(bool desktopBackground) {
  std::shared_ptr<const SettingsSnapshot> stored = CurrentSettings();
  MenuContext context;
  if (desktopBackground)
    context.mode = MenuMode::DesktopBackground;
  else
    context.mode = stored->fullMenu ? MenuMode::Full : MenuMode::FavoritesOnly;
  context.favorites = stored->favorites;
  context.recentCopy = stored->recentCopy;
  context.recentMove = stored->recentMove;
  context.hasStoredSort = stored->hasStoredSort;
  // Only the greying rules compare with the desktop folders, and the background menu greys nothing.
  if (!desktopBackground) context.desktop = stored->desktop;
  return context;
}
