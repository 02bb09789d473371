#pragma once
// CZintProgressDialog: "Brivane - Working...". Starts one worker thread that calls the sink's Run and
// closes itself when Run returns. There is no way to cancel: Enter, Escape and Alt+F4 are ignored.
#include <windows.h>

#include <cstdint>

#include "atl/Handles.h"
#include "base/IReportProgess.h"
#include "resource.h"
#include "ui/ZintBaseDialog.h"

class CZintProgressDialog : public CZintBaseDialog<CZintProgressDialog> {
 public:
  enum { IDD = IDD_PROGRESS };

  // While the window exists, *owner holds it: the running operation's prompts and shell windows are
  // owned by it.
  explicit CZintProgressDialog(IReportProgess* sink = nullptr, HWND* owner = nullptr, HICON commandIcon = nullptr);
  ~CZintProgressDialog() override;

  // Marquee (the default): a moving bar, positions ignored. Otherwise a bar from 0 to 100.
  void SetMarquee(bool marquee) { marquee_ = marquee; }
  bool Marquee() const { return marquee_; }

  // From any thread: hide = true hides the window, false shows it again; then, unless marquee, moves the bar.
  void ReportProgress(int32_t position, bool hide);

  // Shows the window and runs the operation; returns once the operation has finished, even when the
  // window had to go before (its owner destroyed).
  INT_PTR DoModal(HWND parent = nullptr, LPARAM param = 0);

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static DWORD WINAPI Worker(void* self);
  void RunSink();
  void StartBar();
  void ApplyReport(int32_t position, bool hide);

  bool marquee_ = true;
  UniqueKernelHandle thread_;
  IReportProgess* sink_ = nullptr;
  HWND* owner_ = nullptr;
  HMODULE workerModule_ = nullptr;  // the worker's own reference on this library
  // Set while the operation wants the window hidden, so the modal loop's first idle does not show it.
  bool hidden_ = false;
};
