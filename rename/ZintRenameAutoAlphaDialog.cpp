#include "rename/ZintRenameAutoAlphaDialog.h"

#include <utility>

CZintRenameAutoAlphaDialog::CZintRenameAutoAlphaDialog(PathList selection, HICON commandIcon)
    : CZintOrderFilesDialog(std::move(selection), commandIcon) {}

bool CZintRenameAutoAlphaDialog::OnCommand(int id, int code, HWND control) {
  if (id != IDOK) return CZintOrderFilesDialog::OnCommand(id, code, control);
  BuildOrderedList();
  RunOperation(/*marquee=*/false);
  return true;
}

void CZintRenameAutoAlphaDialog::Run() { refactor_.RenameAlphabetize(result_, ordered_); }
