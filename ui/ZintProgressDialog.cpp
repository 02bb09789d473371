#include "ui/ZintProgressDialog.h"

#include <commctrl.h>

#include <exception>

#include "base/Trace.h"

namespace {
// Posted by the worker when Run has returned.
constexpr UINT kWorkDone = WM_APP + 1;
// Sent by ReportProgress so the window is shown or hidden before the call returns: wParam = hide,
// lParam = position.
constexpr UINT kReport = WM_APP + 2;
constexpr LONG_PTR kDeterminateBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | PBS_SMOOTH;
}  // namespace

CZintProgressDialog::CZintProgressDialog(IReportProgess* sink, HWND* owner, HICON commandIcon)
    : CZintBaseDialog(commandIcon), sink_(sink), owner_(owner) {}

// Nobody waits for the worker: it posts its last message after Run and touches nothing of ours after it.
CZintProgressDialog::~CZintProgressDialog() = default;

void CZintProgressDialog::ReportProgress(int32_t position, bool hide) {
  // Across threads ShowWindow would only be queued; a prompt must not appear before the window is gone.
  if (HWND window = Handle()) SendMessageW(window, kReport, hide, position);
}

void CZintProgressDialog::ApplyReport(int32_t position, bool hide) {
  hidden_ = hide;
  if (hide)
    ShowWindow(Handle(), SW_HIDE);
  else if (!IsWindowVisible(Handle()))
    ShowWindow(Handle(), SW_SHOW);
  if (!marquee_) SendItem(IDC_PROGRESS_BAR, PBM_SETPOS, WPARAM(position));
}

BOOL CZintProgressDialog::OnInitDialog(LPARAM) {
  thread_.reset();
  hidden_ = false;
  StartBar();
  if (owner_) *owner_ = Handle();

  DWORD id = 0;
  thread_.reset(CreateThread(nullptr, 0, &CZintProgressDialog::Worker, this, 0, &id));
  if (!thread_) {
    // No thread to be had: run here rather than wait for a close that would never come.
    trace::Write(L"CZintProgressDialog::OnInitDialog: CreateThread failed, running on this thread");
    Worker(this);
  }
  return TRUE;
}

void CZintProgressDialog::StartBar() {
  HWND bar = Item(IDC_PROGRESS_BAR);
  if (marquee_) {
    StartMarquee(bar, Item(IDC_WORKING_TEXT));
  } else {
    SetWindowLongPtrW(bar, GWL_STYLE, kDeterminateBarStyle);
    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    ShowWindow(Item(IDC_WORKING_TEXT), SW_HIDE);
    ShowWindow(bar, SW_SHOW);
  }
}

DWORD WINAPI CZintProgressDialog::Worker(void* param) {
  auto* self = static_cast<CZintProgressDialog*>(param);
  HWND window = self->Handle();
  try {
    if (self->sink_) self->sink_->Run();
  } catch (const std::exception& error) {
    // Nothing crosses the thread's edge; the result record says what the operation got to.
    std::string what = error.what();
    trace::Write(L"CZintProgressDialog::Worker: ", std::wstring(what.begin(), what.end()));
  }
  PostMessageW(window, kWorkDone, 0, 0);
  return 0;
}

bool CZintProgressDialog::OnCommand(int id, int, HWND) {
  // A running operation cannot be cancelled: swallow Enter, Escape and the close command.
  return id == IDOK || id == IDCANCEL;
}

bool CZintProgressDialog::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kWorkDone:
      EndDialog(0);
      return true;
    case kReport:
      ApplyReport(int32_t(lParam), wParam != 0);
      return true;
    case WM_WINDOWPOSCHANGING:
      if (hidden_) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      return false;
    case WM_DESTROY:
      if (owner_ && *owner_ == Handle()) *owner_ = nullptr;
      break;
  }
  return CZintBaseDialog::ProcessMessage(message, wParam, lParam, result);
}
