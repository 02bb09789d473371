#pragma once
// "Brivane - Rename - Alphabetize": letters the items A, B, ... Z, AA, ... in the order the user arranges.
#include <windows.h>

#include "base/PathList.h"
#include "rename/ZintOrderFilesDialog.h"
#include "resource.h"

class CZintRenameAutoAlphaDialog : public CZintOrderFilesDialog<CZintRenameAutoAlphaDialog> {
 public:
  enum { IDD = IDD_RENAME_ALPHABETIZE };
  explicit CZintRenameAutoAlphaDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  bool OnCommand(int id, int code, HWND control) override;
};
