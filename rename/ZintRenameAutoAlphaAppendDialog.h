#pragma once
// "Brivane - Rename - Alphabetize with Append": prefix + letters + suffix, in the order the user arranges.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "rename/ZintOrderFilesDialog.h"
#include "resource.h"

class CZintRenameAutoAlphaAppendDialog : public CZintOrderFilesDialog<CZintRenameAutoAlphaAppendDialog> {
 public:
  enum { IDD = IDD_RENAME_ALPHABETIZE_APPEND };
  explicit CZintRenameAutoAlphaAppendDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void UpdatePreview();

  std::wstring prefix_;
  std::wstring postfix_;
};
