#pragma once
// "Brivane - Rename - Truncate": cuts a number of characters from the beginning or the end of every
// selected item's stem, or of its whole name when the extension is included.
#include <windows.h>

#include <cstdint>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintRenameTruncateDialog : public CZintProgressReportDialog<CZintRenameTruncateDialog> {
 public:
  enum { IDD = IDD_RENAME_TRUNCATE };
  explicit CZintRenameTruncateDialog(PathList selection, HICON commandIcon = nullptr);

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // The count box read as a signed number; false when it holds none.
  bool ReadCount(int32_t& count) const;
  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void UpdatePreview();

  int32_t count_ = 1;
  bool fromBeginning_ = false;
  bool includeExtension_ = false;
};
