#pragma once
// "Brivane - Rename - Make All Same Name": the user picks one selected item, and every other item takes
// its stem (keeping its own extension).
#include <windows.h>

#include <cstddef>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintRenameSameNameDialog : public CZintProgressReportDialog<CZintRenameSameNameDialog> {
 public:
  enum { IDD = IDD_RENAME_SAME_NAME };
  explicit CZintRenameSameNameDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  size_t nameIndex_ = 0;  // the name-giving item's place in the selection
};
