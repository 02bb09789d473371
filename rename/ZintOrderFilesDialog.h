#pragma once
// CZintOrderFilesDialog<T>: the base of the rename dialogs that number or letter the items. It adds the
// rename order list (263) with "Up" (208) and "Down" (209); on OK the concrete dialog rebuilds the
// ordered list from the rows, top to bottom, and hands that order, not the selection's, to its rename.
// Run stays the empty default: only the concrete dialogs run an operation.
#include <windows.h>

#include <utility>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "rename/RenameDialogSupport.h"
#include "rename/RenameOrderList.h"
#include "resource.h"

template <class T>
class CZintOrderFilesDialog : public CZintProgressReportDialog<T> {
 public:
  explicit CZintOrderFilesDialog(PathList selection, HICON commandIcon = nullptr)
      : CZintProgressReportDialog<T>(std::move(selection), {}, commandIcon) {
    UseRenameControls();
  }

  // The order the last OK took from the list.
  const PathList& OrderedPaths() const { return ordered_; }

 protected:
  // The concrete dialog calls these first from its own handlers.
  BOOL OnInitDialog(LPARAM) override {
    order_.Fill(this->Item(IDC_RENAME_ORDER), this->input_);
    return TRUE;
  }
  bool OnCommand(int id, int code, HWND) override {
    if (id != IDC_RENAME_UP && id != IDC_RENAME_DOWN) return false;
    if (code == BN_CLICKED) {
      HWND list = this->Item(IDC_RENAME_ORDER);
      order_.MoveSelected(list, id == IDC_RENAME_UP ? -1 : 1);
      FocusItem(*this, IDC_RENAME_ORDER);
    }
    return true;
  }

  void BuildOrderedList() { ordered_ = order_.Paths(this->Item(IDC_RENAME_ORDER)); }

  PathList ordered_;

 private:
  RenameOrderList order_;
};
