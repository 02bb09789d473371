// What Explorer on Windows holds the extension to, beyond what Wine's own callers would show: how an
// item menu is told from a background menu, whose selection counts, the command strings and verbs,
// owner drawing, and what a right-click may cost.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "ShellExtFixture.h"
#include "atl/ComModule.h"
#include "shellext/com/Clipboard.h"
#include "shellext/com/ComIdentity.h"
#include "shellext/dialogs/ZintAboutDialog.h"
#include "shellext/menu/MenuIcons.h"
#include "shellext/settings/RecentPaths.h"
#include "shellext/settings/SettingsRegistry.h"
#include "support/ShellViewHost.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

class ExplorerContract : public ShellExtFixture {
 protected:
  UniquePidl PidlOf(const std::wstring& path) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    EXPECT_EQ(SHParseDisplayName(path.c_str(), nullptr, &pidl, 0, nullptr), S_OK);
    return UniquePidl(pidl);
  }
  bool HasEntry(const std::wstring& text) {
    ReadItem item;
    return FindItem(Popup(), text, item);
  }
};

// Some Explorer versions pass the containing folder with an item menu: the data object decides.
TEST_F(ExplorerContract, ItemsAreTheDataObjectsWhateverFolderComesWithThem) {
  std::wstring file = dir_.File(L"a.txt");
  UniquePidl folder = PidlOf(dir_.path());
  PIDLIST_ABSOLUTE desktop = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop), S_OK);
  UniquePidl desktopPidl(desktop);
  for (PCIDLIST_ABSOLUTE with : {static_cast<PCIDLIST_ABSOLUTE>(folder.get()), static_cast<PCIDLIST_ABSOLUTE>(desktopPidl.get())}) {
    ASSERT_EQ(object_->Initialize(with, MakeDropData({file}).get(), nullptr), S_OK);
    ASSERT_TRUE(SUCCEEDED(QueryAgain()));
    EXPECT_EQ(ShellExtTestAccess::Selection(*object_), PathList{file});
    EXPECT_TRUE(HasEntry(L"Copy Path to Clipboard"));  // the item menu, not the desktop background's
  }
  // A data object without files is no item menu, folder or not.
  EXPECT_EQ(object_->Initialize(folder.get(), MakeDropData({file}, false).get(), nullptr), E_INVALIDARG);
  // The background: the folder alone.
  EXPECT_EQ(object_->Initialize(desktopPidl.get(), nullptr, nullptr), S_OK);
  EXPECT_EQ(object_->Initialize(folder.get(), nullptr, nullptr), E_INVALIDARG);
}

// A right-click in the navigation pane hands over that folder, while the view keeps its own selection.
TEST_F(ExplorerContract, TheSelectionIsWhatExplorerHandsOverAndTheViewOnlyOrdersIt) {
  std::wstring a = dir_.File(L"a.txt"), b = dir_.File(L"b.txt"), c = dir_.File(L"c.txt");
  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  ASSERT_EQ(object_->SetSite(host.Site()), S_OK);

  host.Select({L"a.txt"});
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor({L"c.txt"}).get(), nullptr), S_OK);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));
  EXPECT_EQ(ShellExtTestAccess::Selection(*object_), PathList{c});

  // The same items: the view's order.
  host.Select({L"c.txt", L"b.txt"});
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor({L"c.txt", L"b.txt"}).get(), nullptr), S_OK);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));
  EXPECT_EQ(ShellExtTestAccess::Selection(*object_), (PathList{b, c}));
  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), b + L"\r\n" + c);
  object_->SetSite(nullptr);
}

TEST_F(ExplorerContract, CommandStringsAnswerEachRequestForWhatItIs) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt")})));
  wchar_t wide[32] = L"";
  char ansi[32] = "";
  // No entry has a verb: the help text is not one.
  EXPECT_EQ(object_->GetCommandString(0, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), 32), E_INVALIDARG);
  EXPECT_EQ(object_->GetCommandString(0, GCS_VERBA, nullptr, ansi, 32), E_INVALIDARG);
  EXPECT_STREQ(wide, L"");
  // Validation: the entries of the menu just built, and nothing else.
  EXPECT_EQ(object_->GetCommandString(0, GCS_VALIDATEW, nullptr, nullptr, 0), S_OK);
  EXPECT_EQ(object_->GetCommandString(OffsetOf(L"Copy"), GCS_VALIDATEA, nullptr, nullptr, 0), S_OK);
  EXPECT_EQ(object_->GetCommandString(5000, GCS_VALIDATEW, nullptr, nullptr, 0), S_FALSE);
  EXPECT_EQ(object_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(wide), 32), S_OK);
  EXPECT_STREQ(wide, L"Brivane");
}

// A verb string whose address has a zero second 16-bit word is still a string on 64-bit Windows.
TEST_F(ExplorerContract, AVerbAtAnAddressWithAZeroHighWordIsNotAnOffset) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt")})));
  const UINT offset = OffsetOf(L"Copy Path to Clipboard");
  char* page = nullptr;
  for (ULONG_PTR base = 0x100000000ull; !page && base < 0x4000000000ull; base += 0x100000000ull)
    page = static_cast<char*>(
        VirtualAlloc(reinterpret_cast<void*>(base), 0x10000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(page, nullptr);
  char* verb = page + offset;
  strcpy(verb, "copypath");
  ASSERT_EQ(HIWORD(reinterpret_cast<ULONG_PTR>(verb)), 0);
  PutClipboardText(L"before");

  CMINVOKECOMMANDINFO info{sizeof info};
  info.lpVerb = verb;
  EXPECT_EQ(object_->InvokeCommand(&info), E_INVALIDARG);
  EXPECT_EQ(ClipboardText(), L"before");
  VirtualFree(page, 0, MEM_RELEASE);
}

// The unthemed menu draws its icons inside each item, whatever the item's place in the menu.
TEST_F(ExplorerContract, UnthemedIconsAreDrawnInsideTheirItem) {
  ShellExtTestAccess::SetThemed(*object_, false);
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt")})));
  ReadItem copy;
  ASSERT_TRUE(FindItem(Popup(), L"Copy", copy));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB};
  void* bits = nullptr;
  UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueWindowDc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(dc.get(), canvas.get());
  auto* pixels = static_cast<uint32_t*>(bits);
  std::fill(pixels, pixels + 64 * 64, 0x00FF00FFu);
  // The fourth item of a menu: 60 pixels down.
  DRAWITEMSTRUCT draw{ODT_MENU, 0, copy.info.wID, ODA_DRAWENTIRE, 0, nullptr, dc.get(), {0, 60 - 20, 64, 60},
                      copy.info.dwItemData};
  LRESULT result = 0;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result), S_OK);
  EXPECT_EQ(result, TRUE);
  GdiFlush();
  int inside = 0, outside = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if (pixels[y * 64 + x] != 0x00FF00FFu) ++((x >= 2 && x < 18 && y >= 42 && y < 58) ? inside : outside);
  EXPECT_GT(inside, 16);
  EXPECT_EQ(outside, 0);
  SelectObject(dc.get(), old);

  // Messages the menu does not draw are its owner's.
  LRESULT untouched = 5;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_INITMENUPOPUP, 0, 0, &untouched), E_NOTIMPL);
  EXPECT_EQ(object_->HandleMenuMsg2(WM_MENUCHAR, 0, 0, &untouched), E_NOTIMPL);
}

TEST(MenuIcons, ItemsAreMeasuredFromTheSmallIconSize) {
  struct Case {
    int icon;
    UINT width, height;
  };
  for (const Case& c : {Case{16, 5, 20}, Case{24, 13, 28}, Case{32, 21, 36}}) {
    MEASUREITEMSTRUCT measure{ODT_MENU};
    EXPECT_TRUE(MeasureMenuIcon(measure, c.icon));
    EXPECT_EQ(measure.itemWidth, c.width);
    EXPECT_EQ(measure.itemHeight, c.height);
  }
  MEASUREITEMSTRUCT button{ODT_BUTTON, 0, 0, 7, 7};
  EXPECT_FALSE(MeasureMenuIcon(button, 16));
  EXPECT_EQ(button.itemWidth, 7u);
  EXPECT_EQ(SmallIconSize(96), 16);
  EXPECT_EQ(SmallIconSize(192), 32);
}

// A right-click writes nothing and waits for nobody: building the menu and releasing the object leave
// the settings key as it was, even while another process holds the recent folders' lock.
TEST_F(ExplorerContract, ARightClickWritesNothingAndWaitsForNobody) {
  {
    RecentPaths recent;
    recent.AddCopyFolder(L"C:\\Photos");
    recent.Save();
  }
  std::wstring file = dir_.File(L"a.txt");
  object_.reset();
  auto lastWrite = [] {
    FILETIME time{};
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settings_registry::kKeyPath, 0, KEY_READ, key.put()) == ERROR_SUCCESS)
      RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, &time);
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  uint64_t before = lastWrite();
  Sleep(20);

  // Another process's save holds the lock meanwhile (a thread stands in for it: a mutex lets its own
  // thread in).
  UniqueKernelHandle taken(CreateEventW(nullptr, TRUE, FALSE, nullptr)), done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    UniqueKernelHandle lock(CreateMutexW(nullptr, TRUE, L"Local\\BrivaneRecentPathsLock"));
    SetEvent(taken.get());
    WaitForSingleObject(done.get(), 10000);
    ReleaseMutex(lock.get());
  });
  WaitForSingleObject(taken.get(), 5000);
  auto start = std::chrono::steady_clock::now();
  {
    ComPtr<BrivaneShellExtObject> object = MakeShellExt();
    ASSERT_EQ(object->Initialize(nullptr, MakeDropData({file}).get(), nullptr), S_OK);
    UniqueMenu menu(CreatePopupMenu());
    EXPECT_TRUE(SUCCEEDED(object->QueryContextMenu(menu.get(), 0, 1, 0x7FFF, CMF_NORMAL)));
  }
  auto took = std::chrono::steady_clock::now() - start;
  SetEvent(done.get());
  holder.join();
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 1000);
  EXPECT_EQ(lastWrite(), before);
}

// Explorer unloads the library when DllCanUnloadNow says so: not while a factory is held or a window
// of ours is open.
TEST_F(ExplorerContract, TheLibraryStaysLoadedWhileAFactoryOrAWindowOfOursLives) {
  object_.reset();
  const LONG idle = ComModule::LockCount();
  ComModule module({{&kClsidBrivaneShellExt, &BrivaneShellExtObject::NewInstance, 0}}, L"", 0);
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(module.GetClassObject(kClsidBrivaneShellExt, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_GT(ComModule::LockCount(), idle);
  }
  EXPECT_EQ(ComModule::LockCount(), idle);

  LONG whileOpen = idle;
  WindowDriver driver(L"About Brivane", [&](HWND dialog) {
    whileOpen = ComModule::LockCount();
    Click(dialog, IDOK);
  });
  CZintAboutDialog().DoModal();
  driver.join();
  EXPECT_GT(whileOpen, idle);
  EXPECT_EQ(ComModule::LockCount(), idle);
}

}  // namespace
