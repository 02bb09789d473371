#include "crypt/ZintEncryptDialog.h"

#include <utility>

#include "base/Prompt.h"
#include "crypt/SecretText.h"
#include "fileops/FilesRefactor.h"

CZintEncryptDialog::CZintEncryptDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

CZintEncryptDialog::~CZintEncryptDialog() {
  WipeSecret(password_);
  WipeSecret(retyped_);
  WipeSecret(workerPassword_);
}

void CZintEncryptDialog::Run() { refactor_.Encrypt(result_, input_, workerPassword_, DeleteOriginal()); }

BOOL CZintEncryptDialog::OnInitDialog(LPARAM) {
  SetItemText(IDC_PASSWORD, password_);
  SetItemText(IDC_PASSWORD_RETYPE, retyped_);
  CheckDlgButton(Handle(), IDC_DELETE_ORIGINAL, deleteOriginal_ ? BST_CHECKED : BST_UNCHECKED);
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PASSWORD)), TRUE);
  return FALSE;  // the focus is set
}

bool CZintEncryptDialog::OnCommand(int id, int, HWND) {
  if (id != IDOK) return false;
  if (ReadValidPassword()) {
    workerPassword_ = password_;
    RunOperation(/*marquee=*/false);
  }
  return true;
}

bool CZintEncryptDialog::ReadValidPassword() {
  WipeSecret(password_);
  WipeSecret(retyped_);
  password_ = ItemText(IDC_PASSWORD);
  retyped_ = ItemText(IDC_PASSWORD_RETYPE);
  deleteOriginal_ = IsDlgButtonChecked(Handle(), IDC_DELETE_ORIGINAL) == BST_CHECKED ? 1 : 0;

  const wchar_t* problem = nullptr;
  if (password_ != retyped_)
    problem = L"Please Retype The Exact Password";
  else if (password_.empty())
    problem = L"Cannot Enter Empty Password";
  if (!problem) return true;
  Prompt(Handle(), problem, L"Password Validation", MB_OK | MB_ICONWARNING);
  return false;
}
