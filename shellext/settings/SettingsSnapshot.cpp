#include "shellext/settings/SettingsSnapshot.h"

#include <mutex>

#include "base/RegistryWatch.h"
#include "desktop/DesktopSortSettings.h"
#include "shellext/settings/RecentPaths.h"
#include "shellext/settings/SettingsRegistry.h"

namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct Cache {
  std::mutex lock;
  // The settings key (created, removed or changed), and where the desktop folders are configured. A
  // profile without its folder key uses the default folders, and only its first logon adds one.
  RegistryWatch watch{{
      {HKEY_CURRENT_USER, L"Software", REG_NOTIFY_CHANGE_NAME},
      {HKEY_CURRENT_USER, settings_registry::kKeyPath, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, true},
      {HKEY_CURRENT_USER, kShellFolders, REG_NOTIFY_CHANGE_LAST_SET, true},
      {HKEY_LOCAL_MACHINE, kShellFolders, REG_NOTIFY_CHANGE_LAST_SET, true},
  }};
  std::shared_ptr<const SettingsSnapshot> current;
};

// Destroyed when the library unloads, which closes the watched keys with it.
Cache& TheCache() {
  static Cache cache;
  return cache;
}

std::shared_ptr<const SettingsSnapshot> ReadSnapshot() {
  auto snapshot = std::make_shared<SettingsSnapshot>();
  BrivaneSettings settings;
  snapshot->fullMenu = settings.GetFavoritesSettings();
  snapshot->updatesInterval = settings.GetAutomaticUpdatesInterval();
  snapshot->lastCheckedForUpdates = GetLastCheckedForUpdates();
  snapshot->favorites = LoadFavorites();
  RecentPaths recent;
  snapshot->recentCopy = recent.CopyList();
  snapshot->recentMove = recent.MoveList();
  snapshot->hasStoredSort = HasStoredDesktopSort();
  snapshot->desktop = QueryDesktopFolders();
  return snapshot;
}

}  // namespace

std::shared_ptr<const SettingsSnapshot> CurrentSettings() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> held(cache.lock);
  // The watch is armed again before the values are read: a change made meanwhile shows next time.
  if (cache.watch.Changed() || !cache.current) cache.current = ReadSnapshot();
  return cache.current;
}

void ForgetSettingsSnapshot() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> held(cache.lock);
  cache.watch.Forget();
  cache.current.reset();
}

bool HasStoredDesktopSort() {
  DesktopSortSettings scratch = DefaultDesktopSortSettings();
  return settings_registry::ReadRecord(settings_registry::kLastDesktopSortData, &scratch, sizeof scratch);
}
