#include "organize/ZintExtractFolderDialog.h"

#include <utility>

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
  if (!AcceptNewName(Handle(), name, /*folder=*/true)) return true;
  folderName_ = name;
  RunOperation(/*marquee=*/true);
  return true;
}
