#pragma once
// CZintEncryptDialog: "Brivane - Enter Password" with the heading "Encrypt". The password is typed twice;
// OK checks the two agree and are not empty, then encrypts the selection behind the progress window.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintEncryptDialog : public CZintProgressReportDialog<CZintEncryptDialog> {
 public:
  enum { IDD = IDD_ENCRYPT };

  explicit CZintEncryptDialog(PathList selection, HICON commandIcon = nullptr);
  ~CZintEncryptDialog() override;

  // "Delete original file": no plain copy is kept beside the encrypted items.
  bool DeleteOriginal() const { return deleteOriginal_ != 0; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // Reads the controls; shows the "Password Validation" message and returns false when they do not do.
  bool ReadValidPassword();

  std::wstring password_;
  std::wstring retyped_;
  uint8_t deleteOriginal_ = 0;
  std::wstring workerPassword_;  // what the worker encrypts with
};
