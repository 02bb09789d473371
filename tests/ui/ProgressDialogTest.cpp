// The real progress window: the sink's Run, on the worker thread, drives it and records what it sees.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "atl/ComModule.h"
#include "base/Prompt.h"
#include "fileops/FilesRefactor.h"
#include "resource.h"
#include "support/WindowDriver.h"
#include "ui/ZintMessageBox.h"
#include "ui/ZintProgressDialog.h"

namespace {
class ScriptedSink : public IReportProgess {
 public:
  FilesRefactor refactor{this};
  CZintProgressDialog dialog{this, &refactor.owner};
  std::function<void(HWND window)> script;

  void ReportProgress(int32_t position, bool hide) override { dialog.ReportProgress(position, hide); }
  void Run() override { script(refactor.owner); }

  INT_PTR RunModal(bool marquee) {
    dialog.SetMarquee(marquee);
    return dialog.DoModal(nullptr);
  }
};

int Position(HWND window) { return int(SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0)); }
bool Visible(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }
LONG_PTR BarStyle(HWND window) { return GetWindowLongPtrW(GetDlgItem(window, IDC_PROGRESS_BAR), GWL_STYLE); }
}  // namespace

TEST(ProgressWindow, MarqueeIgnoresPositionsAndHidesAndShowsOnRequest) {
  ScriptedSink sink;
  HWND seen = nullptr;
  DWORD workerThread = 0;
  std::wstring caption, heading;
  LONG_PTR style = 0;
  int positionAfterReport = -1;
  bool barOrText = false, hidden = true, shownAgain = false;
  sink.script = [&](HWND window) {
    seen = window;
    workerThread = GetCurrentThreadId();
    caption = WindowText(window);
    heading = WindowText(GetDlgItem(window, IDC_HEADING));
    style = BarStyle(window);
    sink.refactor.Report(57);
    positionAfterReport = Position(window);
    barOrText = Visible(window, IDC_PROGRESS_BAR) != Visible(window, IDC_WORKING_TEXT);
    sink.refactor.Report(57, true);
    hidden = IsWindowVisible(window);
    sink.refactor.Report(60, false);
    shownAgain = IsWindowVisible(window);
  };
  EXPECT_EQ(sink.RunModal(true), 0);

  ASSERT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));  // it closed itself when Run returned
  EXPECT_NE(workerThread, GetCurrentThreadId());
  EXPECT_EQ(caption, L"Brivane - Working...");
  EXPECT_EQ(heading, L"Please wait while Brivane completes your request");
  EXPECT_EQ(style, 0x50800009);
  EXPECT_EQ(positionAfterReport, 0);
  EXPECT_TRUE(barOrText);
  EXPECT_FALSE(hidden);
  EXPECT_TRUE(shownAgain);
  EXPECT_EQ(sink.refactor.owner, nullptr);  // no stale owner once the window is gone
}

TEST(ProgressWindow, DeterminateBarFollowsReports) {
  ScriptedSink sink;
  LONG_PTR style = 0;
  int atStart = -1, after57 = -1, afterHide = -1, after100 = -1;
  bool textShown = true;
  sink.script = [&](HWND window) {
    style = BarStyle(window);
    atStart = Position(window);
    textShown = Visible(window, IDC_WORKING_TEXT);
    sink.refactor.Report(57);
    after57 = Position(window);
    sink.refactor.Report(70, true);
    afterHide = Position(window);
    sink.refactor.Report(100, false);
    after100 = Position(window);
  };
  EXPECT_EQ(sink.RunModal(false), 0);
  EXPECT_EQ(style, 0x50800001);
  EXPECT_EQ(atStart, 0);
  EXPECT_FALSE(textShown);
  EXPECT_EQ(after57, 57);
  EXPECT_EQ(afterHide, 70);
  EXPECT_EQ(after100, 100);
}

TEST(ProgressWindow, StaysHiddenWhenHiddenBeforeItWasFirstShown) {
  ScriptedSink sink;
  bool visibleLater = true;
  sink.script = [&](HWND window) {
    sink.refactor.Report(0, true);
    Sleep(400);  // the modal loop goes idle meanwhile
    visibleLater = IsWindowVisible(window);
  };
  sink.RunModal(false);
  EXPECT_FALSE(visibleLater);
}

TEST(ProgressWindow, CannotBeCancelled) {
  ScriptedSink sink;
  bool openAfterEscape = false;
  sink.script = [&](HWND window) {
    sink.refactor.Report(10);  // shown from here on
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    openAfterEscape = IsWindow(window) && IsWindowVisible(window);
  };
  EXPECT_EQ(sink.RunModal(true), 0);
  EXPECT_TRUE(openAfterEscape);
}

TEST(ProgressWindow, PromptFromTheWorkerIsOwnedByTheHiddenProgressWindow) {
  PromptFunction previous = PromptHook();
  CZintMessageBox::InstallAsPromptHook();
  ScriptedSink sink;
  HWND owner = nullptr;
  bool progressVisibleDuringPrompt = true, progressVisibleAfter = false;
  int answer = 0, positionAfter = -1;
  sink.script = [&](HWND window) {
    WindowDriver driver(L"Brivane - Confirm", [&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      progressVisibleDuringPrompt = IsWindowVisible(window);
      Click(box, IDYES);
    });
    answer = sink.refactor.Ask(L"Replace the existing file?", L"Brivane - Confirm", MB_YESNO | MB_ICONQUESTION, 42);
    driver.join();
    progressVisibleAfter = IsWindowVisible(window);
    positionAfter = Position(window);
    EXPECT_EQ(owner, window);
  };
  sink.RunModal(false);
  SetPromptHook(previous);
  EXPECT_EQ(answer, IDYES);
  EXPECT_FALSE(progressVisibleDuringPrompt);
  EXPECT_TRUE(progressVisibleAfter);
  EXPECT_EQ(positionAfter, 42);
}

// Inside Explorer the window's owner can go while the operation runs. The operation still works with
// what its caller owns, so the modal run returns only once the worker has finished; the worker holds
// the library meanwhile, and runs in a single-threaded apartment, as the shell's file operations want.
TEST(ProgressWindow, TheRunLastsAsLongAsItsWorkerWhateverHappensToTheOwner) {
  constexpr UINT kDestroyOwner = WM_APP + 40;
  struct Owner {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
      if (message == kDestroyOwner) {
        DestroyWindow(window);
        return 0;
      }
      return DefWindowProcW(window, message, wparam, lparam);
    }
  };
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Owner::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BrivaneTestOwner";
  RegisterClassW(&wc);
  HWND owner = CreateWindowW(L"BrivaneTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_TRUE(owner);

  ScriptedSink sink;
  bool finished = false, ownerGoneFirst = false;
  LONG locksWhileRunning = 0;
  APTTYPE apartment = APTTYPE_CURRENT;
  APTTYPEQUALIFIER qualifier;
  sink.script = [&](HWND) {
    locksWhileRunning = ComModule::LockCount();
    if (FAILED(CoGetApartmentType(&apartment, &qualifier))) apartment = APTTYPE_CURRENT;
    SendMessageW(owner, kDestroyOwner, 0, 0);
    ownerGoneFirst = !IsWindow(owner);
    Sleep(300);
    finished = true;
  };
  const LONG idle = ComModule::LockCount();
  sink.dialog.SetMarquee(true);
  sink.dialog.DoModal(owner);
  EXPECT_TRUE(ownerGoneFirst);
  EXPECT_TRUE(finished);
  EXPECT_GT(locksWhileRunning, idle);
  EXPECT_TRUE(apartment == APTTYPE_STA || apartment == APTTYPE_MAINSTA) << apartment;  // single-threaded
  EXPECT_EQ(ComModule::LockCount(), idle);
}
