#include "crypt/ZintDecryptDialog.h"

#include <utility>

#include "crypt/SecretText.h"
#include "fileops/FilesRefactor.h"

CZintDecryptDialog::CZintDecryptDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

CZintDecryptDialog::~CZintDecryptDialog() { WipeSecret(password_); }

void CZintDecryptDialog::Run() {
  Sleep(kStartDelayMs);
  refactor_.Decrypt(result_, input_, password_);
}

BOOL CZintDecryptDialog::OnInitDialog(LPARAM) {
  SetItemText(IDC_PASSWORD, password_);
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PASSWORD)), TRUE);
  return FALSE;  // the focus is set
}

bool CZintDecryptDialog::OnCommand(int id, int, HWND) {
  if (id != IDOK) return false;
  WipeSecret(password_);
  password_ = ItemText(IDC_PASSWORD);
  RunOperation(/*marquee=*/false);
  return true;
}
