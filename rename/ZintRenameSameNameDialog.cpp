#include "rename/ZintRenameSameNameDialog.h"

#include <algorithm>
#include <string>
#include <utility>

#include "fileops/FileMachine.h"

CZintRenameSameNameDialog::CZintRenameSameNameDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

BOOL CZintRenameSameNameDialog::OnInitDialog(LPARAM) {
  for (const std::wstring& path : input_) {
    std::wstring name = SplitPath(path).name;
    SendItem(IDC_RENAME_NAME_GIVER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendItem(IDC_RENAME_NAME_GIVER, CB_SETCURSEL, 0);
  return TRUE;
}

bool CZintRenameSameNameDialog::OnCommand(int id, int, HWND) {
  if (id != IDOK) return false;
  LRESULT chosen = SendItem(IDC_RENAME_NAME_GIVER, CB_GETCURSEL);
  nameIndex_ = chosen == CB_ERR ? 0 : size_t(chosen);
  RunOperation(/*marquee=*/false);
  return true;
}

// The name-giving item leaves the batch; the others take its stem.
void CZintRenameSameNameDialog::Run() {
  std::wstring nameGiving = nameIndex_ < input_.size() ? input_[nameIndex_] : std::wstring();
  input_.erase(std::remove(input_.begin(), input_.end(), nameGiving), input_.end());
  if (!nameGiving.empty()) refactor_.RenameMakeSameName(result_, input_, nameGiving);
}
