#include "support/WindowDriver.h"

#include "resource.h"

namespace {
struct Search {
  const std::wstring* caption;
  HWND found;
  DWORD process;  // 0: any window the enumeration gives
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  if (search->process) GetWindowThreadProcessId(window, &process);
  if (process == search->process && IsWindowVisible(window) && WindowText(window) == *search->caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND WaitForWindow(DWORD threadId, const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    Search search{&caption, nullptr, 0};
    EnumThreadWindows(threadId, MatchCaption, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(20);
  }
}

HWND WaitForProcessWindow(const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    Search search{&caption, nullptr, GetCurrentProcessId()};
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(20);
  }
}

bool NoWindowAppears(DWORD threadId, const std::wstring& caption, DWORD waitMs) {
  return WaitForWindow(threadId, caption, waitMs) == nullptr;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = L"";
  // WM_GETTEXT answers across threads even while the window's thread is busy in a modal loop.
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void ClickNow(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Dismiss(HWND box, int id, DWORD timeoutMs) {
  Click(box, id);
  for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < timeoutMs;) Sleep(10);
}

AnsweredBox AnswerMessageBox(const std::wstring& caption, int button) {
  AnsweredBox seen;
  HWND box = WaitForProcessWindow(caption);
  if (!box) return seen;
  seen.text = WindowText(GetDlgItem(box, IDC_HEADING));
  HWND owner = GetWindow(box, GW_OWNER);
  seen.ownerCaption = owner ? WindowText(owner) : L"";
  if (HWND bar = owner ? GetDlgItem(owner, IDC_PROGRESS_BAR) : nullptr)
    seen.ownerBarStyle = GetWindowLongPtrW(bar, GWL_STYLE);
  Dismiss(box, button);
  return seen;
}

void CloseIfLeftOpen(HWND window, DWORD waitMs) {
  for (DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < waitMs;) Sleep(20);
  if (IsWindow(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

WindowDriver::WindowDriver(std::wstring caption, std::function<void(HWND)> drive, DWORD timeoutMs) {
  DWORD owner = GetCurrentThreadId();
  thread_ = std::thread([this, owner, caption = std::move(caption), drive = std::move(drive), timeoutMs] {
    HWND window = WaitForWindow(owner, caption, timeoutMs);
    found_ = window != nullptr;
    if (window)
      drive(window);
    else
      PostThreadMessageW(owner, WM_QUIT, 0, 0);
  });
}

WindowDriver::~WindowDriver() { join(); }

void WindowDriver::join() {
  if (thread_.joinable()) thread_.join();
}
