#pragma once
// CZintDecryptDialog: "Brivane - Enter Password" with the heading "Decrypt". OK decrypts the selected
// ".qxenc" items with the password typed (an empty one included) behind the progress window.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintDecryptDialog : public CZintProgressReportDialog<CZintDecryptDialog> {
 public:
  enum { IDD = IDD_DECRYPT };
  // The worker waits this long before it starts, so the progress window is seen first.
  static constexpr DWORD kStartDelayMs = 1000;

  explicit CZintDecryptDialog(PathList selection, HICON commandIcon = nullptr);
  ~CZintDecryptDialog() override;

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::wstring password_;
};
