#include "rename/ZintRenameAutoAlphaAppendDialog.h"

#include <utility>

#include "rename/RenameDialogSupport.h"
#include "rename/RenameInput.h"

CZintRenameAutoAlphaAppendDialog::CZintRenameAutoAlphaAppendDialog(PathList selection, HICON commandIcon)
    : CZintOrderFilesDialog(std::move(selection), commandIcon) {}

BOOL CZintRenameAutoAlphaAppendDialog::OnInitDialog(LPARAM param) {
  CZintOrderFilesDialog::OnInitDialog(param);
  UpdatePreview();
  return TRUE;
}

void CZintRenameAutoAlphaAppendDialog::UpdatePreview() {
  ShowRenamePreview(*this, AlphabetizeAppendPreviewName(ItemText(IDC_RENAME_PREFIX), ItemText(IDC_RENAME_POSTFIX)));
}

bool CZintRenameAutoAlphaAppendDialog::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_RENAME_PREFIX:
    case IDC_RENAME_POSTFIX:
      if (code == EN_CHANGE) UpdatePreview();
      return true;
    case IDOK:
      BuildOrderedList();
      if (TakeAffixes(*this, prefix_, postfix_)) RunOperation(/*marquee=*/false);
      return true;
  }
  return CZintOrderFilesDialog::OnCommand(id, code, control);
}

void CZintRenameAutoAlphaAppendDialog::Run() { refactor_.RenameAlphabetizeAppend(result_, ordered_, prefix_, postfix_); }
