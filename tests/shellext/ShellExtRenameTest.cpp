// The Rename submenu through the shell-extension object: each entry opens its dialog over the selection,
// and a finished rename selects the new names in the view or reports what failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellExtFixture.h"
#include "support/ShellViewHost.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

using Names = std::vector<std::wstring>;

class ShellExtRenameTest : public ShellExtFixture {
 protected:
  // Invokes the entry while drive works the window with the caption; false when no such window opened.
  bool InvokeDriving(const std::wstring& entry, const std::wstring& caption, const std::function<void(HWND)>& drive,
                     HWND owner = nullptr) {
    WindowDriver driver(caption, [&](HWND window) {
      drive(window);
      CloseIfLeftOpen(window);
    });
    EXPECT_EQ(Invoke(OffsetOf(entry), owner), S_OK) << Narrow(entry);
    driver.join();
    return driver.found();
  }
};

TEST_F(ShellExtRenameTest, EachEntryOpensItsDialogWithTheCommandIconAndCancelChangesNothing) {
  PathList files{dir_.File(L"b.txt", "b"), dir_.File(L"a.txt", "a")};
  ASSERT_TRUE(SUCCEEDED(Query(files)));
  const std::pair<const wchar_t*, const wchar_t*> entries[] = {
      {L"Find and Replace", L"Brivane - Rename - Find and Replace"},
      {L"Autonumbering", L"Brivane - Rename - Autonumbering"},
      {L"Alphabetize", L"Brivane - Rename - Alphabetize"},
      {L"Append", L"Brivane - Rename - Append"},
      {L"Autonumbering with Append", L"Brivane - Rename - Autonumbering with Append"},
      {L"Alphabetize with Append", L"Brivane - Rename - Alphabetize with Append"},
      {L"Make All Same Name", L"Brivane - Rename - Make All Same Name"},
      {L"Truncate", L"Brivane - Rename - Truncate"},
  };
  for (const auto& [entry, caption] : entries) {
    bool hasIcon = false;
    Names rows, names;
    EXPECT_TRUE(InvokeDriving(entry, caption, [&](HWND window) {
      hasIcon = SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0;
      rows = ListRows(window, IDC_RENAME_ORDER);
      names = ComboEntries(window, IDC_RENAME_NAME_GIVER);
      Click(window, IDCANCEL);
    })) << Narrow(caption);
    EXPECT_TRUE(hasIcon) << Narrow(caption);
    // The dialogs that show the selection show it in selection order.
    if (!rows.empty()) {
      EXPECT_EQ(rows, (Names{L"b.txt", L"a.txt"})) << Narrow(caption);
    }
    if (!names.empty()) {
      EXPECT_EQ(names, (Names{L"b.txt", L"a.txt"})) << Narrow(caption);
    }
  }
  EXPECT_TRUE(Exists(files[0]) && Exists(files[1]));
}

// Explorer's way: the view's selection, the order arranged in the dialog, the new names selected after.
TEST_F(ShellExtRenameTest, AutonumberingRenamesInTheArrangedOrderAndSelectsTheRenamedFiles) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"other.txt"}) dir_.File(name, Narrow(name));
  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  host.Select({L"a.txt", L"b.txt", L"c.txt"});
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor({L"a.txt", L"b.txt", L"c.txt"}).get(), nullptr), S_OK);
  ASSERT_EQ(object_->SetSite(host.Site()), S_OK);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));

  Names rows;
  EXPECT_TRUE(InvokeDriving(L"Autonumbering", L"Brivane - Rename - Autonumbering", [&](HWND window) {
    rows = ListRows(window, IDC_RENAME_ORDER);
    SelectListRow(window, IDC_RENAME_ORDER, 2);
    ClickNow(window, IDC_RENAME_UP);  // a, c, b
    SetText(window, IDC_RENAME_START_NUMBER, L"5");
    Click(window, IDOK);
  }, host.Window()));

  EXPECT_EQ(rows, (Names{L"a.txt", L"b.txt", L"c.txt"}));
  EXPECT_EQ(ReadBytes(dir_ / L"5.txt"), "a.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"6.txt"), "c.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"7.txt"), "b.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"other.txt"), "other.txt");
  host.Pump();
  EXPECT_EQ(host.SelectedNames(), (Names{L"5.txt", L"6.txt", L"7.txt"}));
  object_->SetSite(nullptr);
}

TEST_F(ShellExtRenameTest, ItemsThatKeepTheirNamesAreReportedUnderTheRenameTitle) {
  ASSERT_TRUE(SUCCEEDED(Query({dir_.File(L"ab.txt"), dir_.File(L"cd.txt")})));
  std::wstring heading, message;
  WindowDriver report(L"Brivane - Rename Operation Error", [&](HWND window) {
    heading = Text(window, IDC_HEADING);
    message = Text(window, IDC_MESSAGE_TEXT);
    Click(window, IDOK);
  }, 30000);
  EXPECT_TRUE(InvokeDriving(L"Truncate", L"Brivane - Rename - Truncate", [](HWND window) {
    SetText(window, IDC_TRUNCATE_COUNT, L"5");  // longer than every stem: nothing can be cut
    Click(window, IDOK);
  }));
  report.join();
  EXPECT_TRUE(report.found());
  EXPECT_EQ(heading, L"Brivane - Rename Operation Error");
  EXPECT_EQ(message, L"2 files failed to rename.");
  EXPECT_TRUE(Exists(dir_ / L"ab.txt") && Exists(dir_ / L"cd.txt"));
}

}  // namespace
