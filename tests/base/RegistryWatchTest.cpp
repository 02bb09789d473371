#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "base/RegistryWatch.h"

namespace {

constexpr DWORD kValues = REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME;

// A private key under HKEY_CURRENT_USER, removed with everything below it at the end.
class RegistryWatchTest : public testing::Test {
 protected:
  RegistryWatchTest() : path_(L"Software\\BrivaneWatchTest" + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    Create(path_);
  }
  ~RegistryWatchTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()), RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str()); }

  static void Create(const std::wstring& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void Set(const std::wstring& path, const wchar_t* name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
  }
  // Changed() twice: whether the first saw a change, and that the second saw none.
  static bool ChangedOnce(RegistryWatch& watch) {
    bool changed = watch.Changed();
    EXPECT_FALSE(watch.Changed()) << "a change must be reported once";
    return changed;
  }

  std::wstring path_;
};

TEST_F(RegistryWatchTest, ReportsEachChangeOnceAndQuietOtherwise) {
  RegistryWatch watch({{HKEY_CURRENT_USER, path_.c_str(), kValues}});
  EXPECT_TRUE(ChangedOnce(watch));  // nothing read yet
  Set(path_, L"a", 1);
  EXPECT_TRUE(ChangedOnce(watch));
  Set(path_, L"a", 2);
  Set(path_, L"b", 2);
  EXPECT_TRUE(ChangedOnce(watch));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, path_.c_str(), L"a");
  EXPECT_TRUE(ChangedOnce(watch));
  watch.Forget();
  EXPECT_TRUE(ChangedOnce(watch));
}

// The settings key may be absent on a first run: its parent's watch sees it come and go.
TEST_F(RegistryWatchTest, AKeyThatMayBeMissingIsSeenThroughItsParent) {
  std::wstring child = path_ + L"\\Child";
  RegistryWatch watch({{HKEY_CURRENT_USER, path_.c_str(), REG_NOTIFY_CHANGE_NAME},
                       {HKEY_CURRENT_USER, child.c_str(), kValues, /*mayBeMissing=*/true}});
  EXPECT_TRUE(ChangedOnce(watch));
  Create(child);
  EXPECT_TRUE(ChangedOnce(watch));
  Set(child, L"a", 1);
  EXPECT_TRUE(ChangedOnce(watch));
  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, child.c_str()), ERROR_SUCCESS);
  RegDeleteKeyW(HKEY_CURRENT_USER, child.c_str());
  EXPECT_TRUE(ChangedOnce(watch));
  Set(path_, L"in the parent", 1);  // the parent is watched for its subkeys only
  EXPECT_FALSE(watch.Changed());
}

// A key that cannot be watched gives no notification, so the caller must read every time.
TEST_F(RegistryWatchTest, AMissingKeyThatMustBeThereAlwaysCountsAsChanged) {
  std::wstring missing = path_ + L"\\Missing";
  RegistryWatch watch({{HKEY_CURRENT_USER, path_.c_str(), kValues}, {HKEY_CURRENT_USER, missing.c_str(), kValues}});
  for (int call = 0; call < 3; ++call) EXPECT_TRUE(watch.Changed()) << call;
  Create(missing);
  EXPECT_TRUE(ChangedOnce(watch));
}

// Explorer builds menus on threads that end; a notification armed on one must outlive it. (Wine keeps
// notifications with the key either way; on Windows this needs the thread-agnostic flag.)
TEST_F(RegistryWatchTest, ANotificationOutlivesTheThreadThatArmedIt) {
  RegistryWatch watch({{HKEY_CURRENT_USER, path_.c_str(), kValues}});
  std::thread([&watch] { EXPECT_TRUE(watch.Changed()); }).join();
  EXPECT_FALSE(watch.Changed());
  Set(path_, L"a", 1);
  EXPECT_TRUE(watch.Changed());
}

}  // namespace
