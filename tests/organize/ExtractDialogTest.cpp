// The extract-to-folder dialog driven as a user drives it, and its picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "organize/ZintExtractFolderDialog.h"
#include "resource.h"
#include "support/DialogProbe.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Enter Folder Name";
}

TEST(ExtractFolderDialog, StartsWithTheWholeNameSelectedRefusesBadNamesAndGathersOnOk) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  CZintExtractFolderDialog dialog({a, b}, nullptr, dir.path());
  ScriptedPrompt prompt;  // the refusals are asked through the hook

  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_HEADING)), L"Extract to Folder");
    EXPECT_EQ(Text(window, IDC_EXTRACT_FOLDER_NAME), L"FolderName");
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(window, IDC_EXTRACT_FOLDER_NAME, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 10u);
    EXPECT_EQ(FocusOf(window), GetDlgItem(window, IDC_EXTRACT_FOLDER_NAME));
    for (const wchar_t* bad : {L"", L"a/b", L" lead", L"..", L"q?"}) {
      SetText(window, IDC_EXTRACT_FOLDER_NAME, bad);
      ClickNow(window, IDOK);
    }
    SetText(window, IDC_EXTRACT_FOLDER_NAME, L"Gathered");
    Click(window, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  std::vector<AskedQuestion> asked = prompt.asked();
  ASSERT_EQ(asked.size(), 5u);
  EXPECT_EQ(asked[0].text, L"Cannot Enter Empty Folder Name");
  for (size_t i = 1; i < asked.size(); ++i)
    EXPECT_EQ(asked[i].text, L"A folder name cannot contain any of the following characters:\n\\ / : * ? \" < > |");
  for (const AskedQuestion& question : asked) EXPECT_EQ(question.caption, L"Folder Name Validation");
  EXPECT_EQ(dialog.Result().status, 0);
  EXPECT_EQ(dialog.Result().outputs, PathList{dir / L"Gathered"});
  EXPECT_EQ(ReadBytes(dir / L"Gathered\\b.txt"), "b");
}

TEST(Screenshots, ExtractFolderDialog) {
  if (ScreenshotFolder().empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  TempDir dir;
  CZintExtractFolderDialog dialog({dir.File(L"a.txt")}, nullptr, dir.path());
  DriveModal(dialog, kCaption, [&](HWND window) {
    EXPECT_TRUE(SaveWindowPng(window, ScreenshotFolder() + L"\\organize-extract-folder.png"));
    Click(window, IDCANCEL);
  });
}
