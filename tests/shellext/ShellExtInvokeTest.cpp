#include <gtest/gtest.h>

#include "ShellExtFixture.h"
#include "ShellViewHost.h"
#include "support/TestSupport.h"

namespace {

constexpr UINT kFirst = 200;

class ShellExtInvokeTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    object_ = MakeShellExt();
    ASSERT_TRUE(object_);
  }
  void TearDown() override {
    object_.reset();
    CoUninitialize();
  }

  void BuildMenu() {
    menu_.reset(CreatePopupMenu());
    ASSERT_TRUE(SUCCEEDED(object_->QueryContextMenu(menu_.get(), 0, kFirst, 0x7FFF, CMF_NORMAL)));
  }
  // The offset of the entry with this text in the menu just built.
  UINT OffsetOf(const std::wstring& text) {
    ReadItem item;
    EXPECT_TRUE(FindItem(BrivanePopup(menu_.get(), 0), text, item)) << Narrow(text);
    return item.info.wID - kFirst;
  }
  HRESULT Invoke(UINT_PTR offset) {
    CMINVOKECOMMANDINFO info{sizeof info};
    info.lpVerb = reinterpret_cast<LPCSTR>(offset);
    info.nShow = SW_SHOWNORMAL;
    return object_->InvokeCommand(&info);
  }

  TempDir dir_;
  ComPtr<BrivaneShellExtObject> object_;
  UniqueMenu menu_;
};

TEST_F(ShellExtInvokeTest, OnlyIdentifiersOfTheLastMenuAreInvoked) {
  ASSERT_EQ(object_->Initialize(nullptr, MakeDropData({dir_.File(L"a.txt")}).get(), nullptr), S_OK);
  EXPECT_EQ(Invoke(1), E_INVALIDARG);  // no menu built yet
  BuildMenu();

  CMINVOKECOMMANDINFO verb{sizeof verb};
  verb.lpVerb = "open";
  EXPECT_EQ(object_->InvokeCommand(&verb), E_INVALIDARG);
  EXPECT_EQ(object_->InvokeCommand(nullptr), E_INVALIDARG);
  EXPECT_EQ(Invoke(0), E_INVALIDARG);  // the top-level entry
  EXPECT_EQ(Invoke(5000), E_INVALIDARG);

  // Offset 1 is "Manage Favorites" in every mode.
  EXPECT_EQ(Invoke(1), S_OK);
  EXPECT_EQ(ShellExtTestAccess::CurrentCommand(*object_), cmd::ManageFavorites);
  EXPECT_EQ(Invoke(OffsetOf(L"Contents")), S_OK);  // no help file beside the test: nothing to see
  EXPECT_EQ(ShellExtTestAccess::CurrentCommand(*object_), cmd::HelpContents);
}

TEST_F(ShellExtInvokeTest, WorkingFolderComesFromTheExtendedInfoOrTheSelection) {
  std::wstring file = dir_.File(L"sub\\a.txt");
  ASSERT_EQ(object_->Initialize(nullptr, MakeDropData({file}).get(), nullptr), S_OK);
  BuildMenu();
  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ShellExtTestAccess::WorkingFolder(*object_), dir_ / L"sub");

  CMINVOKECOMMANDINFOEX extended{sizeof extended};
  extended.fMask = CMIC_MASK_UNICODE;
  extended.lpVerb = MAKEINTRESOURCEA(OffsetOf(L"Copy Path to Clipboard"));
  extended.lpDirectoryW = L"C:\\Elsewhere";
  EXPECT_EQ(object_->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&extended)), S_OK);
  EXPECT_EQ(ShellExtTestAccess::WorkingFolder(*object_), L"C:\\Elsewhere");
}

TEST_F(ShellExtInvokeTest, CopyPathPutsOneLinePerItemWithoutAFinalBreak) {
  PathList paths{dir_.File(L"one.txt"), dir_.Folder(L"two"), dir_.File(L"three.jpg")};
  ASSERT_EQ(object_->Initialize(nullptr, MakeDropData(paths).get(), nullptr), S_OK);
  BuildMenu();
  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), paths[0] + L"\r\n" + paths[1] + L"\r\n" + paths[2]);

  // One item: no line break at all.
  ASSERT_EQ(object_->Initialize(nullptr, MakeDropData({paths[1]}).get(), nullptr), S_OK);
  BuildMenu();
  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), paths[1]);
}

// Explorer's way: the CF_HDROP of the clicked items, then the window as site.
TEST_F(ShellExtInvokeTest, TheViewsSelectionDrivesTheMenuAndIsInverted) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"}) dir_.File(name);
  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  host.Select({L"b.txt", L"d.txt"});
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor({L"d.txt", L"b.txt"}).get(), nullptr), S_OK);
  ASSERT_EQ(object_->SetSite(host.Site()), S_OK);
  BuildMenu();
  EXPECT_EQ(ShellExtTestAccess::Selection(*object_), (PathList{dir_ / L"b.txt", dir_ / L"d.txt"}));

  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), dir_ / L"b.txt" + L"\r\n" + dir_ / L"d.txt");

  EXPECT_EQ(Invoke(OffsetOf(L"Invert Selection")), S_OK);
  host.Pump();
  EXPECT_EQ(host.SelectedNames(), (std::vector<std::wstring>{L"a.txt", L"c.txt", L"e.txt"}));
  object_->SetSite(nullptr);
}

}  // namespace
