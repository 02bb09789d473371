#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>

#include <algorithm>

#include "ShellExtFixture.h"
#include "support/ShellViewHost.h"
#include "shellext/com/SelectionAttributes.h"
#include "shellext/menu/MenuContextReader.h"
#include "support/TestSupport.h"

namespace {

class ShellExtMenuTest : public ShellExtFixture {};

TEST_F(ShellExtMenuTest, InsertsTheModelsMenuBetweenSeparatorsWithConsecutiveIdentifiers) {
  // Stored favourites and recent folders are part of the menu.
  object_.reset();  // it would store its own (empty) recent folders when it goes
  PutMultiString(L"Favorites Items", {L"5", L"0", L"18"});
  PutString(L"RecentCopyPath00", L"C:\\Backup");
  object_ = MakeShellExt();  // recent folders are read when the object is made
  PathList selection{dir_.File(L"a.txt"), dir_.File(L"b.txt")};
  HRESULT hr = Query(selection);
  ASSERT_TRUE(SUCCEEDED(hr));

  ASSERT_EQ(GetMenuItemCount(host_.get()), 5);
  EXPECT_TRUE(ReadMenuItem(host_.get(), 1).separator());
  EXPECT_TRUE(ReadMenuItem(host_.get(), 3).separator());
  EXPECT_EQ(ReadMenuItem(host_.get(), 4).text, L"Properties");
  ReadItem top = ReadMenuItem(host_.get(), 2);
  EXPECT_EQ(top.text, L"Brivane");
  EXPECT_EQ(top.info.wID, kFirst);
  ASSERT_NE(top.info.hSubMenu, nullptr);

  // The real menu shows exactly the model: texts, order, separators, submenus and greyed entries.
  std::wstring tree = RealMenuTreeText(top.info.hSubMenu, L"Brivane");
  EXPECT_EQ(tree, MenuTreeText(BuildMenu(ViewsOf(selection), ReadMenuContext(false))));
  EXPECT_NE(tree.find(L"  Favorites >\n    Manage Favorites\n    ---\n    Move Files Up\n    ---\n"
                      L"    Rename - Find and Replace\n"),
            std::wstring::npos);
  EXPECT_NE(tree.find(L"    Copy to (Recent) >\n      C:\\Backup\n"), std::wstring::npos);

  // Commands take first + 1, first + 2, ... in menu order; the count includes the top-level entry.
  std::vector<ReadItem> commands = CommandItems(top.info.hSubMenu);
  ASSERT_FALSE(commands.empty());
  for (size_t i = 0; i < commands.size(); ++i) EXPECT_EQ(commands[i].info.wID, kFirst + 1 + i) << i;
  EXPECT_EQ(HRESULT_CODE(hr), int(commands.size() + 1));

  // The "Favorites" caption borrows the identifier of "Manage Favorites".
  ReadItem favorites = ReadMenuItem(top.info.hSubMenu, 0);
  EXPECT_EQ(favorites.text, L"Favorites");
  EXPECT_EQ(favorites.info.wID, kFirst + 1);
  EXPECT_EQ(commands.front().text, L"Manage Favorites");

  // Captions of later submenus carry the identifier of their first command.
  ReadItem rename, findReplace;
  ASSERT_TRUE(FindItem(top.info.hSubMenu, L"Rename", rename));
  ASSERT_TRUE(FindItem(top.info.hSubMenu, L"Find and Replace", findReplace));
  EXPECT_EQ(rename.info.wID, findReplace.info.wID);
}

TEST_F(ShellExtMenuTest, ThemedEntriesCarryBitmapsAndNoItemData) {
  ShellExtTestAccess::SetThemed(*object_, true);
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt"), dir_.File(L"b.txt")})));
  // Wine's prefix runs with its "Light" theme active, so the object stays themed.
  HTHEME theme = OpenThemeData(nullptr, L"MENU");
  if (!theme) GTEST_SKIP() << "no visual theme active";
  CloseThemeData(theme);
  ASSERT_TRUE(ShellExtTestAccess::Themed(*object_));

  const CommandTable& table = ShellExtTestAccess::Commands(*object_);
  ReadItem top = ReadMenuItem(host_.get(), 2);
  EXPECT_EQ(top.info.hbmpItem, table.SlotBitmap(15));
  EXPECT_EQ(top.info.dwItemData, 0u);
  HMENU popup = top.info.hSubMenu;

  ReadItem copy, extract, caption;
  ASSERT_TRUE(FindItem(popup, L"Copy", copy));
  EXPECT_EQ(copy.info.hbmpItem, table.SlotBitmap(1));
  EXPECT_EQ(copy.info.dwItemData, 0u);
  EXPECT_FALSE(copy.greyed());
  ASSERT_TRUE(FindItem(popup, L"Organize", caption));
  EXPECT_EQ(caption.info.hbmpItem, table.SlotBitmap(25));

  // Greyed entries show no icon: "Extract Files from Folder" needs folders only.
  ASSERT_TRUE(FindItem(popup, L"Extract Files from Folder", extract));
  EXPECT_TRUE(extract.greyed());
  EXPECT_EQ(extract.info.hbmpItem, nullptr);
  for (const ReadItem& item : CommandItems(popup)) EXPECT_EQ(item.info.dwItemData, 0u) << Narrow(item.text);

  // Themed: the owner-draw messages are left alone, and said to be.
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 77, 88, 0};
  LRESULT result = 9;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &result), E_NOTIMPL);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(measure.itemWidth, 77u);
  EXPECT_EQ(measure.itemHeight, 88u);
}

TEST_F(ShellExtMenuTest, WithoutThemesIconsAreCallbacksDrawnFromTheItemData) {
  ShellExtTestAccess::SetThemed(*object_, false);
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt"), dir_.File(L"b.txt")})));
  const CommandTable& table = ShellExtTestAccess::Commands(*object_);
  ReadItem top = ReadMenuItem(host_.get(), 2);
  EXPECT_EQ(top.info.hbmpItem, HBMMENU_CALLBACK);
  EXPECT_EQ(top.info.dwItemData, reinterpret_cast<ULONG_PTR>(table.SlotIcon(15)));

  ReadItem copy, extract, images;
  ASSERT_TRUE(FindItem(top.info.hSubMenu, L"Copy", copy));
  EXPECT_EQ(copy.info.hbmpItem, HBMMENU_CALLBACK);
  EXPECT_EQ(copy.info.dwItemData, reinterpret_cast<ULONG_PTR>(table.SlotIcon(1)));
  ASSERT_TRUE(FindItem(top.info.hSubMenu, L"Extract Files from Folder", extract));
  EXPECT_EQ(extract.info.hbmpItem, nullptr);
  ASSERT_TRUE(FindItem(top.info.hSubMenu, L"Image Manipulation", images));
  for (const ReadItem& item : CommandItems(images.info.hSubMenu)) {
    EXPECT_TRUE(item.greyed()) << Narrow(item.text);
    EXPECT_EQ(item.info.hbmpItem, nullptr) << Narrow(item.text);
  }

  // Measured 5 x 20 at 96 DPI (13 x 28 at 144, for 24-pixel icons); drawn at (2, 2) from the item data.
  const int icon = GetSystemMetrics(SM_CXSMICON);
  EXPECT_EQ(table.MenuIconSize(), icon);
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, copy.info.wID, 0, 0, copy.info.dwItemData};
  LRESULT result = 0;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &result), S_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(measure.itemWidth, UINT(icon - 11));
  EXPECT_EQ(measure.itemHeight, UINT(icon + 4));

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
  void* bits = nullptr;
  UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueWindowDc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(dc.get(), canvas.get());
  auto* pixels = static_cast<uint32_t*>(bits);
  std::fill(pixels, pixels + 32 * 32, 0x00FF00FFu);
  DRAWITEMSTRUCT draw{ODT_MENU, 0, copy.info.wID, ODA_DRAWENTIRE, 0, nullptr, dc.get(), {0, 0, 32, 32},
                      copy.info.dwItemData};
  EXPECT_EQ(object_->HandleMenuMsg(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), S_OK);
  GdiFlush();
  int changedInside = 0, changedOutside = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (pixels[y * 32 + x] != 0x00FF00FFu)
        ++((x >= 2 && x < 2 + icon && y >= 2 && y < 2 + icon) ? changedInside : changedOutside);
  EXPECT_GT(changedInside, 16);
  EXPECT_EQ(changedOutside, 0);

  // Nothing to draw without item data, and not for other controls: left to the menu's owner.
  std::fill(pixels, pixels + 32 * 32, 0x00FF00FFu);
  draw.itemData = 0;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result), E_NOTIMPL);
  EXPECT_EQ(result, 0);
  draw.itemData = copy.info.dwItemData;
  draw.CtlType = ODT_BUTTON;
  EXPECT_EQ(object_->HandleMenuMsg2(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &result), E_NOTIMPL);
  EXPECT_EQ(result, 0);
  GdiFlush();
  EXPECT_EQ(std::count(pixels, pixels + 32 * 32, 0x00FF00FFu), 32 * 32);
  SelectObject(dc.get(), old);
}

TEST_F(ShellExtMenuTest, DefaultOnlyAddsNothing) {
  HRESULT hr = Query({dir_.File(L"a.txt")}, CMF_DEFAULTONLY);
  EXPECT_EQ(hr, MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
  EXPECT_EQ(GetMenuItemCount(host_.get()), 2);
  EXPECT_EQ(Invoke(1), E_INVALIDARG);
}

TEST_F(ShellExtMenuTest, StaysInsideTheIdentifierRangeExplorerGave) {
  HRESULT hr = Query({dir_.File(L"a.txt")}, CMF_NORMAL, kFirst + 10);
  ASSERT_TRUE(SUCCEEDED(hr));
  EXPECT_EQ(HRESULT_CODE(hr), 11);
  std::vector<ReadItem> commands = CommandItems(Popup());
  ASSERT_EQ(commands.size(), 10u);
  EXPECT_EQ(commands.back().info.wID, kFirst + 10);
}

TEST_F(ShellExtMenuTest, DesktopBackgroundGetsSortSettingsAndHelpOnly) {
  PIDLIST_ABSOLUTE desktop = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop), S_OK);
  EXPECT_EQ(object_->Initialize(desktop, nullptr, nullptr), S_OK);
  CoTaskMemFree(desktop);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));
  EXPECT_EQ(RealMenuTreeText(Popup(), L"Brivane"),
            L"Brivane >\n"
            L"  Sort Desktop >\n"
            L"    Custom\n"
            L"    ---\n"
            L"    Redo Last Sort [greyed]\n"
            L"    ---\n"
            L"    Blue Sky\n"
            L"    EggPlant\n"
            L"    Sunset\n"
            L"    Dark\n"
            L"  ---\n"
            L"  Settings\n"
            L"  Help >\n"
            L"    Contents\n"
            L"    About\n");

  // The background of any other folder gets no entry.
  auto other = MakeShellExt();
  PIDLIST_ABSOLUTE folder = ILCreateFromPathW(dir_.path().c_str());
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(other->Initialize(folder, nullptr, nullptr), E_INVALIDARG);
  ILFree(folder);
}

TEST_F(ShellExtMenuTest, FavoritesOnlyModeShowsTheFavoritesSettingsAndHelp) {
  PutBinary(L"FavoritesSettings", {0});
  PutMultiString(L"Favorites Items", {L"8", L"0", L"25"});
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt")})));
  EXPECT_EQ(RealMenuTreeText(Popup(), L"Brivane"),
            L"Brivane >\n"
            L"  Manage Favorites\n"
            L"  ---\n"
            L"  Copy Path to Clipboard\n"
            L"  ---\n"
            L"  Rename - Truncate\n"
            L"  ---\n"
            L"  Settings\n"
            L"  Help >\n"
            L"    Contents\n"
            L"    About\n");
  EXPECT_EQ(OffsetOf(L"Manage Favorites"), 1u);
  EXPECT_EQ(OffsetOf(L"Copy Path to Clipboard"), 2u);
}

// Files and folders are told apart by the view's items, and for a large selection without a view by
// the items of the shell's data object: a folder named like a picture greys the image commands.
TEST_F(ShellExtMenuTest, TheShellsItemsTellFoldersFromFiles) {
  dir_.File(L"a.jpg");
  dir_.Folder(L"b.jpg");
  // Pictures for the larger selections below, one set for each: the view shows what was there when
  // it opened.
  auto pictures = [](const wchar_t* prefix, size_t count) {
    std::vector<std::wstring> names;
    for (size_t i = 0; i < count; ++i) names.push_back(prefix + std::to_wstring(i) + L".jpg");
    return names;
  };
  const std::vector<std::vector<std::wstring>> sets{pictures(L"v", kShellAttributesWorthPaths),
                                                    pictures(L"b", kShellAttributesWorthBinding)};
  for (const auto& set : sets)
    for (const std::wstring& name : set) dir_.File(name);
  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  ReadItem resize, extract;
  auto queryWithView = [&](const std::vector<std::wstring>& names) {
    host.Select(names);
    ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor(names).get(), nullptr), S_OK);
    ASSERT_EQ(object_->SetSite(host.Site()), S_OK);
    ASSERT_TRUE(SUCCEEDED(QueryAgain()));
    ASSERT_TRUE(FindItem(Popup(), L"Custom Resize", resize));
    ASSERT_TRUE(FindItem(Popup(), L"Extract Files from Folder", extract));
  };
  queryWithView({L"a.jpg", L"b.jpg"});
  EXPECT_TRUE(resize.greyed());
  EXPECT_TRUE(extract.greyed());
  queryWithView({L"b.jpg"});
  EXPECT_TRUE(resize.greyed());
  EXPECT_FALSE(extract.greyed());
  queryWithView({L"a.jpg"});
  EXPECT_FALSE(resize.greyed());

  // Larger selections: the view's items serve from a dozen or so, and without a view the items of the
  // data object from a thousand on. The disk is not asked then: a picture removed since the view showed
  // it still counts as the file it shows.
  for (std::vector<std::wstring> names : sets) {
    SCOPED_TRACE(names.size());
    bool withView = names.size() < kShellAttributesWorthBinding;
    object_->SetSite(withView ? host.Site() : nullptr);
    names.push_back(L"b.jpg");
    ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor(names).get(), nullptr), S_OK);
    ASSERT_TRUE(SUCCEEDED(QueryAgain()));
    ASSERT_EQ(ShellExtTestAccess::Selection(*object_).size(), names.size());
    ASSERT_TRUE(FindItem(Popup(), L"Custom Resize", resize));
    EXPECT_TRUE(resize.greyed());
    names.back() = L"a.jpg";
    ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor(names).get(), nullptr), S_OK);
    ASSERT_TRUE(DeleteFileW((dir_ / names.front()).c_str()));
    ASSERT_TRUE(SUCCEEDED(QueryAgain()));
    ASSERT_TRUE(FindItem(Popup(), L"Custom Resize", resize));
    EXPECT_FALSE(resize.greyed());
  }
  object_->SetSite(nullptr);
}

TEST_F(ShellExtMenuTest, InitializeNeedsFilesInTheDataObject) {
  EXPECT_EQ(object_->Initialize(nullptr, MakeDropData({}, false).get(), nullptr), E_INVALIDARG);
  EXPECT_EQ(object_->Initialize(nullptr, MakeDropData({}).get(), nullptr), E_INVALIDARG);
  EXPECT_EQ(object_->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);

  // Paths beyond MAX_PATH arrive whole.
  std::wstring longPath = dir_.path() + L"\\" + std::wstring(150, L'x') + L"\\" + std::wstring(150, L'y') + L".txt";
  EXPECT_EQ(object_->Initialize(nullptr, MakeDropData({L"C:\\one.txt", longPath}).get(), nullptr), S_OK);
  EXPECT_EQ(ShellExtTestAccess::Selection(*object_), (PathList{L"C:\\one.txt", longPath}));
}

TEST_F(ShellExtMenuTest, CommandStringAnswersOnlyTheTopLevelEntry) {
  wchar_t wide[32] = L"";
  EXPECT_EQ(object_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(wide), 32), S_OK);
  EXPECT_STREQ(wide, L"Brivane");
  char ansi[32] = "";
  EXPECT_EQ(object_->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, 32), S_OK);
  EXPECT_STREQ(ansi, "Brivane");
  EXPECT_EQ(object_->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, 4), S_OK);
  EXPECT_STREQ(ansi, "Bri");

  EXPECT_EQ(object_->GetCommandString(1, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(wide), 32), E_INVALIDARG);
  EXPECT_EQ(object_->GetCommandString(0, GCS_VERBA, nullptr, ansi, 32), E_INVALIDARG);
  EXPECT_EQ(object_->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 0), E_POINTER);
}

TEST_F(ShellExtMenuTest, SiteIsHeldAndHandedBack) {
  ComPtr<IUnknown> out;
  EXPECT_EQ(object_->GetSite(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(object_->GetSite(IID_IUnknown, out.put_void()), E_FAIL);
  EXPECT_FALSE(out);

  ComPtr<IDataObject> site = MakeDropData({});
  EXPECT_EQ(object_->SetSite(site.get()), S_OK);
  EXPECT_EQ(object_->SetSite(site.get()), S_OK);
  ComPtr<IDataObject> back;
  EXPECT_EQ(object_->GetSite(IID_IDataObject, back.put_void()), S_OK);
  EXPECT_EQ(back.get(), site.get());
  EXPECT_EQ(object_->GetSite(IID_IShellBrowser, out.put_void()), E_NOINTERFACE);

  // The site held one reference, whatever the number of SetSite calls.
  back.reset();
  ULONG before = site->AddRef() - 1;
  site->Release();
  EXPECT_EQ(object_->SetSite(nullptr), S_OK);
  ULONG after = site->AddRef() - 1;
  site->Release();
  EXPECT_EQ(before - after, 1u);
}

}  // namespace
