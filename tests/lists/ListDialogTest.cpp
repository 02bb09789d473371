// The list-of-files dialog driven as a user drives it, its name rules, and its picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/ZintFileListDialog.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Enter File List File Name";
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
}  // namespace

TEST(ListFileName, ExtensionSwapAndInitialSelection) {
  struct Case {
    const wchar_t* name;
    const wchar_t* html;
    const wchar_t* text;
  } cases[] = {
      {L"FileList.txt", L"FileList.html", L"FileList.txt"},
      {L"notes", L"notes", L"notes"},                    // no extension: nothing to swap
      {L".profile", L".profile", L".profile"},           // a leading dot is no extension
      {L"a.b.htm", L"a.b.html", L"a.b.txt"},
      {L"x.", L"x.html", L"x.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithListExtension(c.name, true), c.html) << Narrow(c.name);
    EXPECT_EQ(WithListExtension(c.name, false), c.text) << Narrow(c.name);
  }
  EXPECT_EQ(InitialSelectionEnd(L"FileList.txt"), 8);
  EXPECT_EQ(InitialSelectionEnd(L"abc"), 0);
}

TEST(FileListDialog, StartsOnTextWithFileListSelectedAndSwapsTheExtensionWithTheType) {
  CZintFileListDialog dialog;
  ScriptedPrompt prompt;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_HEADING)), L"Files List");
    EXPECT_EQ(Text(window, IDC_LIST_FILE_NAME), L"FileList.txt");
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(window, IDC_LIST_FILE_NAME, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    EXPECT_EQ(FocusOf(window), GetDlgItem(window, IDC_LIST_FILE_NAME));
    EXPECT_TRUE(Checked(window, IDC_LIST_TEXT));
    EXPECT_FALSE(Checked(window, IDC_LIST_HTML));
    EXPECT_FALSE(Checked(window, IDC_LIST_INCLUDE_SUBFOLDERS));
    EXPECT_FALSE(Checked(window, IDC_LIST_INDENT));
    EXPECT_FALSE(Enabled(window, IDC_LIST_INDENT));

    ClickNow(window, IDC_LIST_HTML);
    EXPECT_EQ(Text(window, IDC_LIST_FILE_NAME), L"FileList.html");
    ClickNow(window, IDC_LIST_TEXT);
    EXPECT_EQ(Text(window, IDC_LIST_FILE_NAME), L"FileList.txt");
    ClickNow(window, IDC_LIST_INCLUDE_SUBFOLDERS);
    EXPECT_TRUE(Enabled(window, IDC_LIST_INDENT));
    ClickNow(window, IDC_LIST_INDENT);
    ClickNow(window, IDC_LIST_INCLUDE_SUBFOLDERS);
    EXPECT_FALSE(Enabled(window, IDC_LIST_INDENT));

    for (const wchar_t* bad : {L"", L"a:b", L"x|y.txt"}) {
      SetText(window, IDC_LIST_FILE_NAME, bad);
      ClickNow(window, IDOK);
    }
    SetText(window, IDC_LIST_FILE_NAME, L"Catalogue.txt");
    ClickNow(window, IDC_LIST_HTML);
    Click(window, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  std::vector<AskedQuestion> asked = prompt.asked();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].text, L"Cannot Enter Empty FileName");
  EXPECT_EQ(asked[0].caption, L"FileName Validation");
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(asked[i].text, L"A file name cannot contain any of the following characters:\n\\ / : * ? \" < > |");
    EXPECT_EQ(asked[i].caption, L"File Name Validation");
  }
  EXPECT_EQ(dialog.FileName(), L"Catalogue.html");
  EXPECT_TRUE(dialog.Html());
  EXPECT_EQ(dialog.TypeIndex(), 1);
  EXPECT_FALSE(dialog.IncludeSubfolders());
  EXPECT_FALSE(dialog.Indent());  // ticked, but cleared with the subfolders off
}

TEST(FileListDialog, SubfoldersWithIndentAndCancel) {
  CZintFileListDialog dialog;
  EXPECT_EQ(DriveModal(dialog, kCaption,
                       [&](HWND window) {
                         ClickNow(window, IDC_LIST_INCLUDE_SUBFOLDERS);
                         ClickNow(window, IDC_LIST_INDENT);
                         Click(window, IDOK);
                       }),
            IDOK);
  EXPECT_TRUE(dialog.IncludeSubfolders());
  EXPECT_TRUE(dialog.Indent());
  EXPECT_FALSE(dialog.Html());
  EXPECT_EQ(dialog.FileName(), L"FileList.txt");

  CZintFileListDialog cancelled;
  EXPECT_EQ(DriveModal(cancelled, kCaption, [&](HWND window) { Click(window, IDCANCEL); }), IDCANCEL);
}

TEST(Screenshots, FileListDialog) {
  if (ScreenshotFolder().empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  CZintFileListDialog dialog;
  DriveModal(dialog, kCaption, [&](HWND window) {
    ClickNow(window, IDC_LIST_HTML);
    ClickNow(window, IDC_LIST_INCLUDE_SUBFOLDERS);
    EXPECT_TRUE(SaveWindowPng(window, ScreenshotFolder() + L"\\lists-file-list.png"));
    Click(window, IDCANCEL);
  });
}
