#include "rename/ZintRenameAutoNumAppendDialog.h"

#include <utility>

#include "rename/RenameDialogSupport.h"
#include "rename/RenameInput.h"

CZintRenameAutoNumAppendDialog::CZintRenameAutoNumAppendDialog(PathList selection, HICON commandIcon)
    : CZintOrderFilesDialog(std::move(selection), commandIcon) {}

BOOL CZintRenameAutoNumAppendDialog::OnInitDialog(LPARAM param) {
  CZintOrderFilesDialog::OnInitDialog(param);
  SetUpStartNumber(*this);
  UpdatePreview();
  return TRUE;
}

void CZintRenameAutoNumAppendDialog::UpdatePreview() {
  ShowRenamePreview(*this, AutonumberAppendPreviewName(ItemText(IDC_RENAME_PREFIX), ItemText(IDC_RENAME_START_NUMBER),
                                                       ItemText(IDC_RENAME_POSTFIX)));
}

bool CZintRenameAutoNumAppendDialog::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_RENAME_PREFIX:
    case IDC_RENAME_POSTFIX:
    case IDC_RENAME_START_NUMBER:
      if (code == EN_CHANGE) UpdatePreview();
      return true;
    case IDOK:
      // The number is checked before the affixes: with both wrong, only the number is reported.
      BuildOrderedList();
      if (TakeStartNumber(*this, ordered_.size(), startNumber_) && TakeAffixes(*this, prefix_, postfix_))
        RunOperation(/*marquee=*/false);
      return true;
  }
  return CZintOrderFilesDialog::OnCommand(id, code, control);
}

void CZintRenameAutoNumAppendDialog::Run() {
  refactor_.RenameAutonumberAppend(result_, ordered_, startNumber_, prefix_, postfix_);
}
