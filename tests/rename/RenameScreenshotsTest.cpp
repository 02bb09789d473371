// Pictures of the rename dialogs for a person to look at; only when BRIVANE_SHOTS names a folder.
#include <gtest/gtest.h>

#include <string>

#include "rename/ZintRenameAppendDialog.h"
#include "rename/ZintRenameAutoAlphaAppendDialog.h"
#include "rename/ZintRenameAutoNumAppendDialog.h"
#include "rename/ZintRenameAutoNumDialog.h"
#include "rename/ZintRenameFindReplaceDialog.h"
#include "rename/ZintRenameSameNameDialog.h"
#include "rename/ZintRenameTruncateDialog.h"
#include "support/DialogProbe.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

PathList SampleSelection(const TempDir& dir) {
  PathList paths;
  for (const wchar_t* name : {L"IMG_2041.JPG", L"IMG_2042.JPG", L"Holiday notes.txt", L"Budget 2024.xlsx"})
    paths.push_back(dir.File(name, "x"));
  paths.push_back(dir.Folder(L"Old.Photos"));
  return paths;
}

// Shows the dialog, lets fill set it up, saves it as rename-<name>.png and cancels it.
template <class Dialog>
void Shoot(Dialog& dialog, const std::wstring& caption, const std::wstring& name,
           const std::function<void(HWND)>& fill = nullptr) {
  std::wstring file = ScreenshotFolder() + L"\\rename-" + name + L".png";
  DriveModal(dialog, caption, [&](HWND window) {
    if (fill) fill(window);
    EXPECT_TRUE(SaveWindowPng(window, file)) << Narrow(file);
    Click(window, IDCANCEL);
  });
}

TEST(Screenshots, RenameDialogs) {
  if (ScreenshotFolder().empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  TempDir dir;
  PathList selection = SampleSelection(dir);

  CZintRenameFindReplaceDialog findReplace(selection);
  Shoot(findReplace, L"Brivane - Rename - Find and Replace", L"find-replace", [](HWND window) {
    SetText(window, IDC_RENAME_FIND, L"IMG_");
    SetText(window, IDC_RENAME_REPLACE, L"Holiday ");
  });
  CZintRenameAutoNumDialog autoNum(selection);
  Shoot(autoNum, L"Brivane - Rename - Autonumbering", L"autonumbering", [](HWND window) {
    SelectListRow(window, IDC_RENAME_ORDER, 2);
    ClickNow(window, IDC_RENAME_UP);
  });
  CZintRenameAutoNumAppendDialog autoNumAppend(selection);
  Shoot(autoNumAppend, L"Brivane - Rename - Autonumbering with Append", L"autonumbering-append", [](HWND window) {
    SetText(window, IDC_RENAME_START_NUMBER, L"7");
    SetText(window, IDC_RENAME_PREFIX, L"Holiday ");
    SetText(window, IDC_RENAME_POSTFIX, L"_Rome");
  });
  CZintRenameAutoAlphaAppendDialog alphaAppend(selection);
  Shoot(alphaAppend, L"Brivane - Rename - Alphabetize with Append", L"alphabetize-append", [](HWND window) {
    SetText(window, IDC_RENAME_PREFIX, L"Part ");
  });
  CZintRenameAppendDialog append(selection);
  Shoot(append, L"Brivane - Rename - Append", L"append", [](HWND window) {
    SetText(window, IDC_RENAME_PREFIX, L"2024-");
    SetText(window, IDC_RENAME_POSTFIX, L"_final");
  });
  CZintRenameSameNameDialog sameName(selection);
  Shoot(sameName, L"Brivane - Rename - Make All Same Name", L"same-name");
  CZintRenameTruncateDialog truncate(selection);
  Shoot(truncate, L"Brivane - Rename - Truncate", L"truncate", [](HWND window) {
    SetText(window, IDC_TRUNCATE_COUNT, L"3");
    SendDlgItemMessageW(window, IDC_TRUNCATE_FROM_BEGINNING, BM_CLICK, 0, 0);
  });

  // The refusal of a start number whose numbers would not fit, in the program's message box.
  CZintRenameAutoNumDialog refusing(selection);
  std::wstring file = ScreenshotFolder() + L"\\rename-number-field-message.png";
  DriveModal(refusing, L"Brivane - Rename - Autonumbering", [&](HWND window) {
    SetText(window, IDC_RENAME_START_NUMBER, L"9999999");
    Click(window, IDOK);
    HWND box = WaitForWindow(GetWindowThreadProcessId(window, nullptr), L"Brivane - Rename");
    EXPECT_TRUE(box && SaveWindowPng(box, file));
    if (box) Dismiss(box, IDOK);
    Click(window, IDCANCEL);
  });
}

}  // namespace
