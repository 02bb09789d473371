#pragma once
// CZintProgressReportDialog<T>: the base of feature dialogs that run an operation. It is its own progress
// sink: its FilesRefactor reports here, and its Run (overridden by T) runs the operation on the progress
// window's worker thread with refactor_, input_, parameter_ and result_.
//
//   bool OnCommand(int id, int code, HWND control) override {
//     if (id == IDOK) { /* validate */ RunOperation(/*marquee=*/false); return true; }   // ends with IDOK
//     return CZintProgressReportDialog::OnCommand(id, code, control);
//   }
//   void Run() override { refactor_.SplitFile(input_, parameter_, result_); }
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "base/IReportProgess.h"
#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"
#include "ui/ZintBaseDialog.h"
#include "ui/ZintMessageBox.h"
#include "ui/ZintProgressDialog.h"

template <class T>
class CZintProgressReportDialog : public CZintBaseDialog<T>, public IReportProgess {
 public:
  // Setting up the operation installs the system's message box as the prompt hook.
  explicit CZintProgressReportDialog(PathList input = {}, std::wstring parameter = {}, HICON commandIcon = nullptr)
      : CZintBaseDialog<T>(commandIcon),
        refactor_(this),
        input_(std::move(input)),
        parameter_(std::move(parameter)),
        progress_(this, &refactor_.owner, commandIcon) {
    CZintMessageBox::InstallAsPromptHook();
  }

  // Read by the creator after the dialog has ended.
  const OperationResult& Result() const { return result_; }
  OperationResult& Result() { return result_; }

  void ReportProgress(int32_t position, bool hide) override { progress_.ReportProgress(position, hide); }

 protected:
  // The last step of OK: hides this dialog, runs the operation behind the modal progress window and ends
  // this dialog with IDOK once the progress window has closed.
  void RunOperation(bool marquee) {
    HWND window = this->Handle();
    ShowWindow(window, SW_HIDE);
    progress_.SetMarquee(marquee);
    progress_.DoModal(window);
    this->EndDialog(IDOK);
  }

  FilesRefactor refactor_;
  PathList input_;
  std::wstring parameter_;  // target folder or file
  OperationResult result_;
  CZintProgressDialog progress_;
};
