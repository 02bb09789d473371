#pragma once
// "Brivane - Rename - Append": puts a prefix before and a postfix after the stem of every selected item.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintRenameAppendDialog : public CZintProgressReportDialog<CZintRenameAppendDialog> {
 public:
  enum { IDD = IDD_RENAME_APPEND };
  explicit CZintRenameAppendDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void UpdatePreview();

  std::wstring prefix_;
  std::wstring postfix_;
};
