#include "updater/UpdateWindow.h"

#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <string>

#include "base/OperationResult.h"
#include "base/Prompt.h"
#include "base/Trace.h"
#include "ui/DialogDecor.h"

CUpdateWindow::CUpdateWindow(bool silent, const BrivaneUpdater& updater) : silent_(silent), updater_(updater) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&classes);
}

CUpdateWindow::~CUpdateWindow() {
  if (!worker_) return;
  // Messages the worker sends while the window goes are let through, so that it can never wait on a
  // thread that waits on it.
  HANDLE worker = worker_.get();
  while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

BOOL CUpdateWindow::OnInitDialog(LPARAM) {
  StartMarquee(Item(IDC_PROGRESS_BAR), Item(IDC_WORKING_TEXT));
  worker_.reset(CreateThread(nullptr, 0, &CUpdateWindow::Worker, this, 0, nullptr));
  if (!worker_) {
    trace::Write(L"CUpdateWindow::OnInitDialog: CreateThread failed (", std::to_wstring(GetLastError()), L")");
    EndDialog(0);
  }
  return TRUE;
}

DWORD WINAPI CUpdateWindow::Worker(void* param) {
  auto* self = static_cast<CUpdateWindow*>(param);
  HWND window = self->Handle();
  // The shell may hand the installer's start to COM components.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  try {
    self->Work(window);
  } catch (const std::exception& error) {
    std::string what = error.what();
    trace::Write(L"CUpdateWindow::Worker: ", std::wstring(what.begin(), what.end()));
    SendMessageW(window, kFinished, 0, 0);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

void CUpdateWindow::Work(HWND window) {
  if (!IsConnectionConfigured() || !CanReachInternet(updater_.Limits())) {
    SendMessageW(window, kFinished, 1, 0);
    return;
  }
  if (updater_.CheckForNewVersion()) {
    SendMessageW(window, kNewVersionFound, 0, 0);
    if (installAccepted_) {
      Sleep(1000);
      if (!updater_.DownloadAndRunInstaller(kVersionFileUrl, kVersionFileName) &&
          updater_.Status() == status::UpdateNotVerified)
        SendMessageW(window, kUpdateRefused, 0, 0);
    }
  } else {
    SendMessageW(window, kNoNewVersion, 0, 0);
  }
  SendMessageW(window, kFinished, 0, 0);
}

void CUpdateWindow::Report(const wchar_t* text, UINT type) { Prompt(Handle(), text, kUpdaterCaption, type); }

void CUpdateWindow::OnNewVersionFound() {
  std::wstring question = L"New Version Found (" + updater_.WebVersion() + L")! Update to latest version?";
  if (Prompt(Handle(), question.c_str(), kUpdaterCaption, MB_YESNO) != IDYES) {
    EndDialog(0);
    return;
  }
  SetItemText(IDC_UPDATE_TEXT, kDownloadingText);
  InvalidateRect(Handle(), nullptr, TRUE);
  installAccepted_ = true;
}

bool CUpdateWindow::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kNewVersionFound:
      OnNewVersionFound();
      return true;
    case kNoNewVersion:
      if (!silent_) Report(kUpToDateText, MB_OK);
      EndDialog(0);
      return true;
    case kUpdateRefused:
      Report(kNotVerifiedText, MB_OK | MB_ICONERROR);
      return true;
    case kFinished:
      if (wParam == 1 && !silent_) Report(kNoConnectionText, MB_OK);
      EndDialog(0);
      return true;
  }
  return CZintBaseDialog::ProcessMessage(message, wParam, lParam, result);
}

bool CUpdateWindow::OnCommand(int id, int, HWND) {
  // The user cannot close the window while it works; IDOK goes on to the base, which ends it with 1.
  return id == IDCANCEL;
}
