#pragma once
// "Brivane - Rename - Autonumbering with Append": prefix + number + suffix, in the order the user arranges.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathList.h"
#include "rename/ZintOrderFilesDialog.h"
#include "resource.h"

class CZintRenameAutoNumAppendDialog : public CZintOrderFilesDialog<CZintRenameAutoNumAppendDialog> {
 public:
  enum { IDD = IDD_RENAME_AUTONUM_APPEND };
  explicit CZintRenameAutoNumAppendDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void UpdatePreview();

  int32_t startNumber_ = 1;
  std::wstring prefix_;
  std::wstring postfix_;
};
