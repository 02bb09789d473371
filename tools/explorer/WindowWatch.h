#pragma once
// Reports every top-level window of this process that appears while a command runs ("window: CAPTION"
// and its static texts, indented), so that the questions and errors a user would see are in the log,
// and lets the script wait for a window by its caption.
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class WindowWatch {
 public:
  explicit WindowWatch(std::vector<HWND> ignored);
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  // Looks for windows that appeared since the last look and reports them.
  void Scan();

  // The newest visible, enabled window with this caption, waiting up to the timeout; null if none.
  HWND WaitFor(const std::wstring& caption, DWORD timeoutMs);

  // Captions of the visible windows being watched, for error messages.
  std::vector<std::wstring> VisibleCaptions();

 private:
  struct Seen {
    bool visible = false;
    unsigned order = 0;  // when it last appeared
  };
  void ScanLocked();
  std::vector<HWND> TopLevelWindows() const;

  std::mutex lock_;
  std::map<HWND, Seen> seen_;
  std::vector<HWND> ignored_;
  unsigned appearances_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Text of a window without sending it messages (safe while its thread is busy).
std::wstring StoredWindowText(HWND window);
std::wstring WindowClass(HWND window);
// The static texts of a window, top to bottom, as shown (mnemonic ampersands removed).
std::vector<std::wstring> StaticTexts(HWND window);
