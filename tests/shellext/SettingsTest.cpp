#include <gtest/gtest.h>

#include <cstring>

#include "RecordingStarter.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/SettingsRegistry.h"
#include "shellext/settings/UpdaterLauncher.h"
#include "support/SettingsSandbox.h"

namespace {

namespace reg = settings_registry;

std::vector<uint8_t> Bytes(const void* data, size_t size) {
  auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}
template <class T>
std::vector<uint8_t> Bytes(T value) {
  return Bytes(&value, sizeof value);
}

class Settings : public ::testing::Test {
 protected:
  SettingsSandbox sandbox;
  BrivaneSettings settings;
};

TEST_F(Settings, DefaultsWhenTheKeyIsMissing) {
  ASSERT_TRUE(sandbox.redirected());
  ASSERT_FALSE(SettingsSandbox::KeyExists());
  EXPECT_TRUE(settings.GetFavoritesSettings());
  EXPECT_EQ(settings.GetAutomaticUpdatesInterval(), 7u);
  EXPECT_EQ(GetLastCheckedForUpdates(), 0);
}

TEST_F(Settings, DefaultsForWrongSizesAndTypes) {
  struct Case {
    const wchar_t* name;
    DWORD type;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {reg::kFavoritesSettings, REG_BINARY, {0, 0}},       // two bytes
      {reg::kFavoritesSettings, REG_BINARY, {}},           // empty
      {reg::kFavoritesSettings, REG_DWORD, Bytes(0u)},     // wrong type and size
      {reg::kFavoritesSettings, REG_SZ, {0, 0}},           // a string
      {reg::kAutomaticUpdatesInterval, REG_BINARY, {1, 0}},
      {reg::kAutomaticUpdatesInterval, REG_BINARY, Bytes(uint64_t(1))},
      {reg::kAutomaticUpdatesInterval, REG_DWORD, Bytes(1u)},
      {reg::kLastCheckedForUpdates, REG_BINARY, Bytes(1000u)},
      {reg::kLastCheckedForUpdates, REG_QWORD, Bytes(int64_t(1000))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " type " << c.type << " size " << c.bytes.size());
    SettingsSandbox::RemoveKey();
    PutValue(c.name, c.type, c.bytes.data(), DWORD(c.bytes.size()));
    EXPECT_TRUE(settings.GetFavoritesSettings());
    EXPECT_EQ(settings.GetAutomaticUpdatesInterval(), 7u);
    EXPECT_EQ(GetLastCheckedForUpdates(), 0);
  }
}

TEST_F(Settings, StoredValuesAreReadBack) {
  PutBinary(reg::kFavoritesSettings, {0});
  PutBinary(reg::kAutomaticUpdatesInterval, Bytes(uint32_t(30)));
  PutBinary(reg::kLastCheckedForUpdates, Bytes(int64_t(0x123456789A)));
  EXPECT_FALSE(settings.GetFavoritesSettings());
  EXPECT_EQ(settings.GetAutomaticUpdatesInterval(), 30u);
  EXPECT_EQ(GetLastCheckedForUpdates(), 0x123456789A);

  PutBinary(reg::kFavoritesSettings, {2});  // any non-zero byte is the full menu
  EXPECT_TRUE(settings.GetFavoritesSettings());
}

TEST_F(Settings, FavoritesSettingCreatesTheKey) {
  settings.SetFavoritesSettings(false);
  DWORD type = 0;
  EXPECT_EQ(GetValue(reg::kFavoritesSettings, &type), std::vector<uint8_t>{0});
  EXPECT_EQ(type, DWORD(REG_BINARY));
  settings.SetFavoritesSettings(true);
  EXPECT_EQ(GetValue(reg::kFavoritesSettings), std::vector<uint8_t>{1});
}

TEST_F(Settings, IntervalAndLastCheckAreWrittenOnlyWhileTheKeyExists) {
  settings.SetAutomaticUpdatesInterval(1);
  SetLastCheckedForUpdates();
  EXPECT_FALSE(SettingsSandbox::KeyExists());

  settings.SetFavoritesSettings(true);  // creates the key
  settings.SetAutomaticUpdatesInterval(30);
  SetLastCheckedForUpdates();
  DWORD type = 0;
  EXPECT_EQ(GetValue(reg::kAutomaticUpdatesInterval, &type), Bytes(uint32_t(30)));
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(GetValue(reg::kLastCheckedForUpdates, &type).size(), 8u);
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_NEAR(double(GetLastCheckedForUpdates()), double(_time64(nullptr)), 5.0);
}

TEST_F(Settings, RecordsReadAsAbsentWhenLargerOrMistyped) {
  uint8_t record[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_FALSE(reg::ReadRecord(L"Record", record, sizeof record));
  PutBinary(L"Record", std::vector<uint8_t>(9, 1));
  EXPECT_FALSE(reg::ReadRecord(L"Record", record, sizeof record));
  PutValue(L"Record", REG_SZ, "\1\0", 2);
  EXPECT_FALSE(reg::ReadRecord(L"Record", record, sizeof record));
  EXPECT_EQ(record[0], 9);

  PutBinary(L"Record", {1, 2, 3});  // a shorter record fills the beginning only
  EXPECT_TRUE(reg::ReadRecord(L"Record", record, sizeof record));
  EXPECT_EQ(Bytes(record, sizeof record), (std::vector<uint8_t>{1, 2, 3, 9, 9, 9, 9, 9}));

  EXPECT_TRUE(reg::WriteRecord(L"Record", "abcdefgh", 8));
  EXPECT_EQ(GetValue(L"Record"), Bytes("abcdefgh", 8));
}

// The update schedule with a fixed clock and a recording starter.
int64_t g_now = 0;

class UpdateSchedule : public Settings {
 protected:
  RecordingStarter starter;
  const std::vector<RecordingStarter::Start>& started = RecordingStarter::started();

  void SetUp() override {
    g_now = 1'700'000'000;
    SetTimeSource([] { return g_now; });
  }
  void TearDown() override { SetTimeSource(nullptr); }
  void Store(uint32_t interval, int64_t lastCheck) {
    PutBinary(reg::kAutomaticUpdatesInterval, Bytes(interval));
    PutBinary(reg::kLastCheckedForUpdates, Bytes(lastCheck));
  }
};

TEST_F(UpdateSchedule, DaysAreTruncatedTowardZero) {
  Store(1, g_now - 23 * 3600);
  EXPECT_EQ(DaysSinceLastUpdateCheck(), 0);
  Store(1, g_now - 49 * 3600);
  EXPECT_EQ(DaysSinceLastUpdateCheck(), 2);
  Store(1, g_now + 25 * 3600);
  EXPECT_EQ(DaysSinceLastUpdateCheck(), -1);
  Store(1, INT64_MIN);  // damaged: saturates instead of overflowing
  EXPECT_EQ(DaysSinceLastUpdateCheck(), INT32_MAX);
}

TEST_F(UpdateSchedule, StartsTheUpdaterBesideTheModuleOnceTheIntervalHasPassed) {
  Store(1, g_now - 23 * 3600);
  RunAutomaticUpdateSchedule();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(GetLastCheckedForUpdates(), g_now - 23 * 3600);

  Store(1, g_now - 25 * 3600);
  RunAutomaticUpdateSchedule();
  ASSERT_EQ(started.size(), 1u);
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring expected = module;
  expected = expected.substr(0, expected.rfind(L'\\')) + L"\\BrivaneUpdater.exe";
  EXPECT_EQ(started[0].first, expected);
  EXPECT_EQ(started[0].second, L"/Silent");
  EXPECT_EQ(GetLastCheckedForUpdates(), g_now);

  g_now += 3600;  // an hour later nothing is due
  RunAutomaticUpdateSchedule();
  EXPECT_EQ(started.size(), 1u);
}

TEST_F(UpdateSchedule, AFailedStartStillStoresTheTime) {
  RecordingStarter::succeeds() = false;
  Store(7, g_now - 8 * 86400);
  RunAutomaticUpdateSchedule();
  EXPECT_EQ(started.size(), 1u);
  EXPECT_EQ(GetLastCheckedForUpdates(), g_now);
}

TEST_F(UpdateSchedule, ALastCheckInTheFutureStoresTheCurrentTime) {
  Store(1, g_now + 3 * 86400);
  RunAutomaticUpdateSchedule();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(GetLastCheckedForUpdates(), g_now);
}

TEST_F(UpdateSchedule, IntervalZeroNeverStarts) {
  Store(0, 0);
  RunAutomaticUpdateSchedule();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(GetLastCheckedForUpdates(), 0);
}

TEST_F(UpdateSchedule, ATwoByteIntervalReadsAsSevenDays) {
  Store(1, g_now - 3 * 86400);
  PutBinary(reg::kAutomaticUpdatesInterval, {1, 0});
  RunAutomaticUpdateSchedule();
  EXPECT_TRUE(started.empty());
  g_now += 4 * 86400;
  RunAutomaticUpdateSchedule();
  EXPECT_EQ(started.size(), 1u);
}

TEST_F(UpdateSchedule, FirstRunWithAnEmptyKeyStartsAndCannotStoreTheTime) {
  settings.SetFavoritesSettings(true);  // key present, no interval or last check stored
  RunAutomaticUpdateSchedule();
  EXPECT_EQ(started.size(), 1u);
  EXPECT_EQ(GetLastCheckedForUpdates(), g_now);

  SettingsSandbox::RemoveKey();  // without the key the time cannot be stored
  RunAutomaticUpdateSchedule();
  EXPECT_EQ(started.size(), 2u);
  EXPECT_FALSE(SettingsSandbox::KeyExists());
}

TEST(UpdaterStart, AMissingProgramIsHarmless) {
  EXPECT_FALSE(StartProgram(L"C:\\no-such-folder\\BrivaneUpdater.exe", L"/Silent"));
}

}  // namespace
