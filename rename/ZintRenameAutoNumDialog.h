#pragma once
// "Brivane - Rename - Autonumbering": numbers the items in the order the user arranges, from a start number.
#include <windows.h>

#include <cstdint>

#include "base/PathList.h"
#include "rename/ZintOrderFilesDialog.h"
#include "resource.h"

class CZintRenameAutoNumDialog : public CZintOrderFilesDialog<CZintRenameAutoNumDialog> {
 public:
  enum { IDD = IDD_RENAME_AUTONUM };
  explicit CZintRenameAutoNumDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  int32_t startNumber_ = 1;
};
