#pragma once
// CUpdateWindow: the only window of BrivaneUpdater.exe (template 402). A moving bar shows while a worker
// thread runs the checks; the worker tells the window what it found through sent messages, so every
// handler runs on the window's thread while the worker waits:
//   kNewVersionFound   the question "New Version Found (...)! Update to latest version?"; "YES" turns the
//                      window into "Downloading update, please wait..." and the worker downloads,
//                      checks and starts the installer; any other answer ends the window with 0
//   kNoNewVersion      the up-to-date report (not in silent mode), then the end with 0
//   kUpdateRefused     the report that the download could not be verified
//   kFinished          wParam 1: the connection checks failed: the report (not in silent mode); the end with 0
// Escape and the close box do nothing while the window works; IDOK ends it with 1 and the worker runs
// on. The window's object waits for the worker when it goes, so the program lives until a started
// download has been checked and its installer launched.
#include <windows.h>

#include <cstdint>

#include "atl/Handles.h"
#include "resource.h"
#include "ui/ZintBaseDialog.h"
#include "updater/BrivaneUpdater.h"

inline constexpr wchar_t kUpdaterCaption[] = L"Brivane Automatic Update";
inline constexpr wchar_t kUpToDateText[] =
    L"Your computer is running the most recent version of Brivane. No update is available at this time.";
inline constexpr wchar_t kNoConnectionText[] =
    L"Please make sure you are connected to the internet or try to run Setup again later.";
inline constexpr wchar_t kNotVerifiedText[] =
    L"The downloaded update could not be verified as coming from the maker of Brivane, so it was deleted and "
    L"not started. Please try again later.";
inline constexpr wchar_t kDownloadingText[] = L"Downloading update, please wait...";

class CUpdateWindow : public CZintBaseDialog<CUpdateWindow> {
 public:
  enum { IDD = IDD_UPDATE };
  static constexpr int kBannerId = IDC_UPDATE_BANNER;
  static constexpr int kHeadingId = IDC_UPDATE_TEXT;
  static constexpr int kSymbolId = IDC_UPDATE_SYMBOL;

  static constexpr UINT kNewVersionFound = WM_APP + 1;
  static constexpr UINT kNoNewVersion = WM_APP + 2;
  static constexpr UINT kFinished = WM_APP + 3;
  static constexpr UINT kUpdateRefused = WM_APP + 4;

  // silent: the program was started with "/Silent". The updater is the window's version checker.
  explicit CUpdateWindow(bool silent, const BrivaneUpdater& updater = BrivaneUpdater());
  // Waits for the worker, however long it takes.
  ~CUpdateWindow() override;

  // Shows the window modally, without an owner; the value it ended with (-1 when it could not be shown).
  INT_PTR Run() { return DoModal(nullptr); }

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static DWORD WINAPI Worker(void* param);
  void Work(HWND window);
  void OnNewVersionFound();
  void Report(const wchar_t* text, UINT type);

  bool silent_;
  BrivaneUpdater updater_;
  UniqueKernelHandle worker_;
  bool installAccepted_ = false;
};
