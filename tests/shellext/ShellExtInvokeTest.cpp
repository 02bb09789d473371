#include <gtest/gtest.h>

#include "ShellExtFixture.h"
#include "support/ShellViewHost.h"
#include "fileops/FilesRefactor.h"
#include "shellext/settings/UpdaterLauncher.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

class ShellExtInvokeTest : public ShellExtFixture {
 protected:
  // Invokes the entry and closes the window with the caption that it opens with the button; false
  // when no such window opened.
  bool InvokeClosing(const std::wstring& entry, const std::wstring& caption, int button, HRESULT* hr = nullptr) {
    WindowDriver driver(caption, [button](HWND window) { Click(window, button); });
    HRESULT result = Invoke(OffsetOf(entry));
    if (hr) *hr = result;
    driver.join();
    return driver.found();
  }
};

TEST_F(ShellExtInvokeTest, OnlyIdentifiersOfTheLastMenuAreInvoked) {
  ASSERT_EQ(object_->Initialize(nullptr, MakeDropData({dir_.File(L"a.txt")}).get(), nullptr), S_OK);
  EXPECT_EQ(Invoke(1), E_INVALIDARG);  // no menu built yet
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));

  CMINVOKECOMMANDINFO verb{sizeof verb};
  verb.lpVerb = "open";
  EXPECT_EQ(object_->InvokeCommand(&verb), E_INVALIDARG);
  EXPECT_EQ(object_->InvokeCommand(nullptr), E_INVALIDARG);
  EXPECT_EQ(Invoke(0), E_INVALIDARG);  // the top-level entry
  EXPECT_EQ(Invoke(5000), E_INVALIDARG);

  EXPECT_EQ(Invoke(OffsetOf(L"Contents")), S_OK);  // no help file beside the test: no help window
  EXPECT_EQ(ShellExtTestAccess::CurrentCommand(*object_), cmd::HelpContents);
}

TEST_F(ShellExtInvokeTest, OffsetOneOpensManageFavoritesAndTheHelpEntriesTheirDialogs) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt")})));
  {
    WindowDriver driver(L"Brivane - Manage Favorites", [](HWND window) { Click(window, IDCANCEL); });
    EXPECT_EQ(Invoke(1), S_OK);
    driver.join();
    EXPECT_TRUE(driver.found());
  }
  HRESULT hr = E_FAIL;
  EXPECT_TRUE(InvokeClosing(L"Settings", L"Brivane - Settings", IDCANCEL, &hr));
  EXPECT_EQ(hr, S_OK);
  EXPECT_TRUE(InvokeClosing(L"About", L"About Brivane", IDOK, &hr));
  EXPECT_EQ(hr, S_OK);

  // In the favourites-only menu offset 1 is still "Manage Favorites".
  PutBinary(L"FavoritesSettings", {0});
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));
  WindowDriver driver(L"Brivane - Manage Favorites", [](HWND window) { Click(window, IDCANCEL); });
  EXPECT_EQ(Invoke(1), S_OK);
  driver.join();
  EXPECT_TRUE(driver.found());
}

TEST_F(ShellExtInvokeTest, WorkingFolderComesFromTheExtendedInfoOrTheSelection) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"sub\\a.txt")})));
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
  ASSERT_TRUE(SUCCEEDED(Query(paths)));
  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), paths[0] + L"\r\n" + paths[1] + L"\r\n" + paths[2]);

  ASSERT_TRUE(SUCCEEDED(Query({paths[1]})));
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
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));
  EXPECT_EQ(ShellExtTestAccess::Selection(*object_), (PathList{dir_ / L"b.txt", dir_ / L"d.txt"}));

  EXPECT_EQ(Invoke(OffsetOf(L"Copy Path to Clipboard")), S_OK);
  EXPECT_EQ(ClipboardText(), dir_ / L"b.txt" + L"\r\n" + dir_ / L"d.txt");

  EXPECT_EQ(Invoke(OffsetOf(L"Invert Selection")), S_OK);
  host.Pump();
  EXPECT_EQ(host.SelectedNames(), (std::vector<std::wstring>{L"a.txt", L"c.txt", L"e.txt"}));
  object_->SetSite(nullptr);
}

// Join runs behind the object's own progress window; the joined file is then selected in the view.
TEST_F(ShellExtInvokeTest, JoinRunsDirectlyAndSelectsTheJoinedFile) {
  ScriptedPrompt yes;  // "Do you want to split?"
  std::string bytes(5000, 'j');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char('a' + i % 26);
  std::wstring original = dir_.File(L"movie.bin", bytes);
  FilesRefactor splitter;
  OperationResult split;
  splitter.SplitFile(split, original, 2000);
  ASSERT_EQ(split.status, status::Success);
  ASSERT_TRUE(DeleteFileW(original.c_str()));

  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  std::vector<std::wstring> pieces = host.AllNames();
  ASSERT_EQ(pieces.size(), 3u);
  host.Select(pieces);
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor(pieces).get(), nullptr), S_OK);
  ASSERT_EQ(object_->SetSite(host.Site()), S_OK);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));

  EXPECT_EQ(Invoke(OffsetOf(L"Join"), host.Window()), S_OK);
  EXPECT_EQ(ReadBytes(original), bytes);
  host.Pump();
  EXPECT_EQ(host.SelectedNames(), (std::vector<std::wstring>{L"movie.bin"}));
  object_->SetSite(nullptr);
}

TEST_F(ShellExtInvokeTest, AFailedJoinIsReportedUnderItsTitle) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"a.txt", "x"), dir_.File(L"b.txt", "y")})));
  std::wstring title, message;
  WindowDriver driver(L"Brivane - Join Operation Error", [&](HWND window) {
    title = WindowText(window);
    Click(window, IDOK);
  });
  EXPECT_EQ(Invoke(OffsetOf(L"Join")), S_OK);
  driver.join();
  EXPECT_TRUE(driver.found());
  EXPECT_EQ(title, L"Brivane - Join Operation Error");
}

// The stored list may change while the menu is open (another window's copy): the entry copies into the
// folder it showed.
TEST_F(ShellExtInvokeTest, ARecentFolderEntryCopiesIntoTheFolderItShowed) {
  std::wstring shown = dir_.Folder(L"shown"), later = dir_.Folder(L"later");
  std::wstring file = dir_.File(L"a.txt", "text");
  PutString(L"RecentCopyPath00", shown);
  ASSERT_TRUE(SUCCEEDED(Query({file})));
  UINT offset = OffsetOf(shown);
  PutString(L"RecentCopyPath00", later);
  EXPECT_EQ(Invoke(offset), S_OK);
  EXPECT_NE(GetFileAttributesW((shown + L"\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((later + L"\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShellExtInvokeTest, ReleasingTheObjectRunsTheUpdateSchedule) {
  RecordingStarter::started().clear();
  object_.reset();  // nothing stored: the first release after installation starts the updater
  ASSERT_EQ(RecordingStarter::started().size(), 1u);
  EXPECT_EQ(RecordingStarter::started()[0], RecordingStarter::Start(UpdaterPath(), L"/Silent"));
}

}  // namespace
