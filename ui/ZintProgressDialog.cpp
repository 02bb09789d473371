#include "ui/ZintProgressDialog.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "atl/ComModule.h"

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

  // The worker keeps the library loaded until its very last instruction: the window that started it may
  // be gone long before.
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&CZintProgressDialog::Worker),
                     &self);
  ComModule::Lock();
  workerModule_ = self;
  DWORD id = 0;
  thread_.reset(CreateThread(nullptr, 0, &CZintProgressDialog::Worker, this, 0, &id));
  if (!thread_) {
    // No thread to be had: run here rather than wait for a close that would never come.
    trace::Write(L"CZintProgressDialog::OnInitDialog: CreateThread failed, running on this thread");
    workerModule_ = nullptr;
    RunSink();
    PostMessageW(Handle(), kWorkDone, 0, 0);
    ComModule::Unlock();
    if (self) FreeLibrary(self);
  }
  return TRUE;
}

INT_PTR CZintProgressDialog::DoModal(HWND parent, LPARAM param) {
  INT_PTR result = CZintBaseDialog::DoModal(parent, param);
  // The dialog can end before its operation does, when its owner window is destroyed mid-operation.
  // The operation still uses what the caller owns, so nothing returns before it has finished.
  if (thread_) {
    HANDLE worker = thread_.get();
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    thread_.reset();
  }
  return result;
}

void CZintProgressDialog::RunSink() {
  try {
    if (sink_) sink_->Run();
  } catch (const std::exception& error) {
    // Nothing crosses the thread's edge; the result record says what the operation got to.
    std::string what = error.what();
    trace::Write(L"CZintProgressDialog::Worker: ", std::wstring(what.begin(), what.end()));
  } catch (...) {
    trace::Write(L"CZintProgressDialog::Worker: unknown exception");
  }
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
  HMODULE module = self->workerModule_;
  // The shell's file operations want a single-threaded apartment: in the multithreaded one that a bare
  // thread inside Explorer belongs to, they lose the recycle bin and undo.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  self->RunSink();
  if (SUCCEEDED(com)) CoUninitialize();
  // The dialog and its owner may be gone once this is posted: nothing of theirs is touched after it.
  PostMessageW(window, kWorkDone, 0, 0);
  ComModule::Unlock();
  if (module) FreeLibraryAndExitThread(module, 0);
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
      // Destroyed with its owner before the work is done: the modal loop, waiting for a message, must
      // wake to see that its window is gone.
      PostMessageW(nullptr, WM_NULL, 0, 0);
      break;
  }
  return CZintBaseDialog::ProcessMessage(message, wParam, lParam, result);
}
