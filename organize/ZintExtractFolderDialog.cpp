#include "organize/ZintExtractFolderDialog.h"

#include <utility>

#include "base/Prompt.h"
#include "fileops/NameCharacters.h"

CZintExtractFolderDialog::CZintExtractFolderDialog(PathList selection, HICON commandIcon, std::wstring workingFolder)
    : CZintProgressReportDialog(std::move(selection), std::move(workingFolder), commandIcon) {}

void CZintExtractFolderDialog::Run() { refactor_.ExtractFilesToFolder(result_, input_, parameter_, folderName_); }

BOOL CZintExtractFolderDialog::OnInitDialog(LPARAM) {
  SetItemText(IDC_EXTRACT_FOLDER_NAME, folderName_);
  SendItem(IDC_EXTRACT_FOLDER_NAME, EM_SETSEL, 0, -1);
  SetFocus(Item(IDC_EXTRACT_FOLDER_NAME));
  return FALSE;  // the focus is set
}

bool CZintExtractFolderDialog::OnCommand(int id, int, HWND) {
  if (id != IDOK) return false;
  std::wstring name = ItemText(IDC_EXTRACT_FOLDER_NAME);
  switch (CheckNewName(name, /*folder=*/true)) {
    case NameProblem::Empty:
      Prompt(Handle(), L"Cannot Enter Empty Folder Name", L"Folder Name Validation", MB_OK);
      return true;
    case NameProblem::Invalid:
      Prompt(Handle(), L"A folder name cannot contain any of the following characters:\n\\ / : * ? \" < > |",
             L"Folder Name Validation", MB_OK);
      return true;
    case NameProblem::None:
      break;
  }
  folderName_ = name;
  RunOperation(/*marquee=*/true);
  return true;
}
