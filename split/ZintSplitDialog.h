#pragma once
// CZintSplitDialog: "Brivane - Spilt Files". The user picks a preset size or types a size with a unit;
// OK splits the first selected file into pieces of that size behind a progress window whose bar
// follows the pieces written.
#include <windows.h>

#include <cstdint>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"
#include "split/SplitSizeChoice.h"

class CZintSplitDialog : public CZintProgressReportDialog<CZintSplitDialog> {
 public:
  enum { IDD = IDD_SPLIT };

  // The selection is copied; only its first path is split.
  explicit CZintSplitDialog(PathList selection, HICON commandIcon = nullptr);

  // The size the last OK chose, in bytes.
  uint64_t SplitSize() const { return splitSize_; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  // Preset list on, or size box, spin, units label and unit list on.
  void UseCustomSize(bool custom);
  // The size the controls stand for; 0 when they hold no valid size.
  uint64_t ChosenSize() const;

  uint64_t splitSize_ = kDefaultSplitSize;
};
