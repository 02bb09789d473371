#include "rename/ZintRenameAppendDialog.h"

#include <utility>

#include "rename/RenameDialogSupport.h"
#include "rename/RenameInput.h"

CZintRenameAppendDialog::CZintRenameAppendDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

BOOL CZintRenameAppendDialog::OnInitDialog(LPARAM) {
  UpdatePreview();
  return TRUE;
}

void CZintRenameAppendDialog::UpdatePreview() {
  ShowRenamePreview(*this, AppendPreviewName(ItemText(IDC_RENAME_PREFIX), ItemText(IDC_RENAME_POSTFIX)));
}

bool CZintRenameAppendDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_RENAME_PREFIX:
    case IDC_RENAME_POSTFIX:
      if (code == EN_CHANGE) UpdatePreview();
      return true;
    case IDOK:
      if (TakeAffixes(*this, prefix_, postfix_)) RunOperation(/*marquee=*/false);
      return true;
  }
  return false;
}

void CZintRenameAppendDialog::Run() { refactor_.RenameAppend(result_, input_, prefix_, postfix_); }
