#pragma once
// "Brivane - Rename - Find and Replace": replaces a text in the stems of the selected items.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintRenameFindReplaceDialog : public CZintProgressReportDialog<CZintRenameFindReplaceDialog> {
 public:
  enum { IDD = IDD_RENAME_FIND_REPLACE };
  explicit CZintRenameFindReplaceDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::wstring search_;
  std::wstring replacement_;
};
