#include "rename/ZintRenameAutoNumDialog.h"

#include <utility>

#include "rename/RenameDialogSupport.h"

CZintRenameAutoNumDialog::CZintRenameAutoNumDialog(PathList selection, HICON commandIcon)
    : CZintOrderFilesDialog(std::move(selection), commandIcon) {}

BOOL CZintRenameAutoNumDialog::OnInitDialog(LPARAM param) {
  CZintOrderFilesDialog::OnInitDialog(param);
  SetUpStartNumber(*this);
  return TRUE;
}

bool CZintRenameAutoNumDialog::OnCommand(int id, int code, HWND control) {
  if (id != IDOK) return CZintOrderFilesDialog::OnCommand(id, code, control);
  BuildOrderedList();
  if (TakeStartNumber(*this, ordered_.size(), startNumber_)) RunOperation(/*marquee=*/false);
  return true;
}

void CZintRenameAutoNumDialog::Run() { refactor_.RenameAutonumber(result_, ordered_, startNumber_); }
