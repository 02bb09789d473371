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
    case IDOK: {
      std::wstring postfix = ItemText(IDC_RENAME_POSTFIX);
      std::wstring prefix = ItemText(IDC_RENAME_PREFIX);
      BuildOrderedList();
      if (!TakeStartNumber(*this, ordered_.size(), startNumber_)) return true;
      if (!AreValidAffixes(prefix, postfix)) {
        RefuseFileName(*this);
        return true;
      }
      prefix_ = std::move(prefix);
      postfix_ = std::move(postfix);
      RunOperation(/*marquee=*/false);
      return true;
    }
  }
  return CZintOrderFilesDialog::OnCommand(id, code, control);
}

void CZintRenameAutoNumAppendDialog::Run() {
  refactor_.RenameAutonumberAppend(result_, ordered_, startNumber_, prefix_, postfix_);
}
