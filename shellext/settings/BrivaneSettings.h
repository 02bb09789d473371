#pragma once
// The two user preferences and the time of the last automatic update check. Nothing is cached:
// every call goes to the registry, so a change applies to the next menu Explorer opens.
#include <cstdint>

class BrivaneSettings {
 public:
  virtual ~BrivaneSettings() = default;

  // True: full menu with a Favorites submenu (also when nothing readable is stored);
  // false: the favourites-only menu.
  bool GetFavoritesSettings() const;
  void SetFavoritesSettings(bool fullMenu);

  // Days between automatic update checks, 0 = never; 7 when nothing readable is stored.
  uint32_t GetAutomaticUpdatesInterval() const;
  // Writes only while the key exists.
  void SetAutomaticUpdatesInterval(uint32_t days);
};

constexpr uint32_t kDefaultUpdatesInterval = 7;

// Seconds since 1970-01-01 UTC of the last automatic check; 0 when nothing readable is stored.
int64_t GetLastCheckedForUpdates();
// Stores the current time; writes only while the key exists.
void SetLastCheckedForUpdates();
// Whole days since the last check, truncated toward zero; negative when the clock went back.
int32_t DaysSinceLastUpdateCheck();
// The same for a last check already read.
int32_t DaysSince(int64_t lastChecked);

// The clock behind the last-check functions (seconds since 1970). Tests install their own; null
// restores the system clock.
using TimeSource = int64_t (*)();
void SetTimeSource(TimeSource source);
int64_t CurrentTime();
