// Which handlers the stand-in loads, read from the per-user and the machine's classes as Explorer's
// merged view shows them.
#include <gtest/gtest.h>

#include "atl/Handles.h"
#include "tools/explorer/HandlerRegistry.h"

namespace {

constexpr wchar_t kClass[] = L"BrivaneStandInTestClass";
constexpr wchar_t kFirst[] = L"{11111111-2222-3333-4444-555555555555}";
constexpr wchar_t kSecond[] = L"{66666666-7777-8888-9999-AAAAAAAAAAAA}";

void SetHandler(HKEY root, const std::wstring& className, const std::wstring& name, const std::wstring& value) {
  UniqueKey key;
  std::wstring path = L"Software\\Classes\\" + className + L"\\shellex\\ContextMenuHandlers\\" + name;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr), ERROR_SUCCESS);
  if (!value.empty())
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(wchar_t)));
}

struct ClassKeys {
  ~ClassKeys() {
    for (const wchar_t* name : {kClass, L"BrivaneStandInOtherClass"}) {
      RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Classes\\") + name).c_str());
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\") + name).c_str());
    }
  }
};

TEST(HandlerRegistry, PerUserEntriesWinAndEachClassIdLoadsOnce) {
  ClassKeys cleanup;
  SetHandler(HKEY_LOCAL_MACHINE, kClass, L"Zeta", kSecond);       // the same class id again: left out
  SetHandler(HKEY_LOCAL_MACHINE, kClass, L"alpha", kFirst);
  SetHandler(HKEY_CURRENT_USER, kClass, L"Alpha", kSecond);      // same key name, per user: replaces
  SetHandler(HKEY_CURRENT_USER, kClass, L"Broken", L"not a guid");
  SetHandler(HKEY_CURRENT_USER, kClass, kFirst, L"");            // the class id as the key name
  SetHandler(HKEY_LOCAL_MACHINE, L"BrivaneStandInOtherClass", L"Again", kSecond);

  std::vector<HandlerEntry> found = FindContextMenuHandlers({kClass, L"BrivaneStandInOtherClass"});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].name, L"alpha");
  EXPECT_EQ(found[0].clsid, kSecond);
  EXPECT_EQ(found[1].name, kFirst);
  EXPECT_EQ(found[1].clsid, kFirst);
  EXPECT_TRUE(FindContextMenuHandlers({L"BrivaneStandInNoSuchClass"}).empty());
}

TEST(HandlerRegistry, ShortcutsAddTheirOwnClass) {
  EXPECT_EQ(ItemClasses(L"Report.LNK"), (std::vector<std::wstring>{L"AllFilesystemObjects", L"lnkfile"}));
  EXPECT_EQ(ItemClasses(L"lnk"), std::vector<std::wstring>{L"AllFilesystemObjects"});
  EXPECT_EQ(BackgroundClasses(), std::vector<std::wstring>{L"Directory\\Background"});
}

}  // namespace
