#include "shellext/settings/BrivaneSettings.h"

#include <ctime>
#include <limits>

#include "shellext/settings/SettingsRegistry.h"

namespace reg = settings_registry;

namespace {

int64_t SystemTime() { return _time64(nullptr); }

TimeSource g_timeSource = nullptr;

}  // namespace

bool BrivaneSettings::GetFavoritesSettings() const {
  uint8_t mode = 1;
  reg::ReadExactBinary(reg::kFavoritesSettings, &mode, sizeof mode);
  return mode != 0;
}

void BrivaneSettings::SetFavoritesSettings(bool fullMenu) {
  uint8_t mode = fullMenu ? 1 : 0;
  reg::Write(reg::kFavoritesSettings, REG_BINARY, &mode, sizeof mode, reg::KeyAccess::CreateAll);
}

uint32_t BrivaneSettings::GetAutomaticUpdatesInterval() const {
  uint32_t days = kDefaultUpdatesInterval;
  reg::ReadExactBinary(reg::kAutomaticUpdatesInterval, &days, sizeof days);
  return days;
}

void BrivaneSettings::SetAutomaticUpdatesInterval(uint32_t days) {
  reg::Write(reg::kAutomaticUpdatesInterval, REG_BINARY, &days, sizeof days, reg::KeyAccess::ExistingOnly);
}

int64_t GetLastCheckedForUpdates() {
  int64_t seconds = 0;
  reg::ReadExactBinary(reg::kLastCheckedForUpdates, &seconds, sizeof seconds);
  return seconds;
}

void SetLastCheckedForUpdates() {
  int64_t now = CurrentTime();
  reg::Write(reg::kLastCheckedForUpdates, REG_BINARY, &now, sizeof now, reg::KeyAccess::ExistingOnly);
}

int32_t DaysSinceLastUpdateCheck() { return DaysSince(GetLastCheckedForUpdates()); }

int32_t DaysSince(int64_t lastChecked) {
  double days = (double(CurrentTime()) - double(lastChecked)) / 86400.0;
  // A damaged stored time must not overflow the day count.
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (days >= kMax) return std::numeric_limits<int32_t>::max();
  if (days <= kMin) return std::numeric_limits<int32_t>::min();
  return int32_t(days);
}

void SetTimeSource(TimeSource source) { g_timeSource = source; }

int64_t CurrentTime() { return g_timeSource ? g_timeSource() : SystemTime(); }
