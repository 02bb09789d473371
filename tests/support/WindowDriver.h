#pragma once
// Driving real dialogs from a test: the test thread shows a modal window, a driver thread finds it,
// reads and sets its controls and clicks a button to end it.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>

// The first visible top-level window of the thread with exactly this caption, or null after the timeout.
HWND WaitForWindow(DWORD threadId, const std::wstring& caption, DWORD timeoutMs = 5000);
// The same for a window of any thread of this process: a question asked from an operation's worker.
HWND WaitForProcessWindow(const std::wstring& caption, DWORD timeoutMs = 10000);
// True when no visible top-level window of the thread with the caption appears within the time.
bool NoWindowAppears(DWORD threadId, const std::wstring& caption, DWORD waitMs);

std::wstring WindowText(HWND window);
// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, int id);
// Posts a click to the dialog's button (the dialog's thread carries it out).
void Click(HWND dialog, int id);
// Sends the click and returns once it is handled: for buttons that do not start a modal loop.
void ClickNow(HWND dialog, int id);
// Clicks a message box's button and returns once the box is gone, so that looking for the next box of the
// same caption never finds this one again (a posted click leaves it on screen for a moment).
void Dismiss(HWND box, int id, DWORD timeoutMs = 5000);

// What a test saw of a message box it answered: the text, and the window that owned it (the progress
// window, for a question asked from an operation's worker).
struct AnsweredBox {
  std::wstring text;  // empty when no box appeared
  std::wstring ownerCaption;
  LONG_PTR ownerBarStyle = 0;  // the style of the owner's progress bar, when it has one
};
// Waits for the system's message box with this caption on any thread of this process, clicks the button
// and returns once the box has gone.
AnsweredBox AnswerMessageBox(const std::wstring& caption, int button);

// Runs drive(window) on its own thread once the calling thread shows a window with the caption. When none
// appears, it ends the calling thread's modal loop (WM_QUIT) so that a test fails instead of hanging.
class WindowDriver {
 public:
  WindowDriver(std::wstring caption, std::function<void(HWND)> drive, DWORD timeoutMs = 5000);
  ~WindowDriver();
  WindowDriver(const WindowDriver&) = delete;
  WindowDriver& operator=(const WindowDriver&) = delete;

  bool found() const { return found_; }
  void join();

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// For the end of a drive: waits for the window to close (an operation may still run behind it) and
// cancels it when it is still there after the wait, so that a test that left it open fails instead of
// hanging.
void CloseIfLeftOpen(HWND window, DWORD waitMs = 30000);

// Runs the dialog modally while drive(window) works it from the driver thread; returns DoModal's answer.
template <class Dialog>
INT_PTR DriveModal(Dialog& dialog, const std::wstring& caption, std::function<void(HWND)> drive) {
  WindowDriver driver(caption, [drive = std::move(drive)](HWND window) {
    drive(window);
    CloseIfLeftOpen(window);
  });
  INT_PTR answer = dialog.DoModal(nullptr);
  driver.join();
  return answer;
}
