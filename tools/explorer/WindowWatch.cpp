#include "tools/explorer/WindowWatch.h"

#include <algorithm>

#include "tools/explorer/MenuReader.h"
#include "tools/explorer/Output.h"

namespace {

// Top-level windows that are parts of other windows rather than windows a user deals with.
bool IsPart(const std::wstring& className) {
  static const wchar_t* const kParts[] = {L"#32768", L"tooltips_class32", L"ComboLBox", L"IME", L"MSCTFIME UI",
                                          L"SysShadow", L"#32769", L"OleMainThreadWndClass"};
  for (const wchar_t* part : kParts)
    if (CompareStringOrdinal(className.c_str(), -1, part, -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

struct StaticItem {
  RECT place;
  std::wstring text;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM list) {
  if (!IsWindowVisible(child) ||
      CompareStringOrdinal(WindowClass(child).c_str(), -1, L"Static", -1, TRUE) != CSTR_EQUAL)
    return TRUE;
  LONG style = GetWindowLongW(child, GWL_STYLE);
  LONG kind = style & SS_TYPEMASK;
  if (kind == SS_ICON || kind == SS_BITMAP || kind == SS_ENHMETAFILE || kind == SS_OWNERDRAW ||
      (kind >= SS_BLACKRECT && kind <= SS_WHITEFRAME) || (kind >= SS_ETCHEDHORZ && kind <= SS_ETCHEDFRAME))
    return TRUE;
  std::wstring text = StoredWindowText(child);
  if (!(style & SS_NOPREFIX)) text = WithoutMnemonics(text);
  if (text.empty()) return TRUE;
  StaticItem item{{}, text};
  GetWindowRect(child, &item.place);
  reinterpret_cast<std::vector<StaticItem>*>(list)->push_back(item);
  return TRUE;
}

}  // namespace

std::wstring StoredWindowText(HWND window) {
  wchar_t text[4096];
  int length = InternalGetWindowText(window, text, 4096);
  return std::wstring(text, length > 0 ? size_t(length) : 0);
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256];
  int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? size_t(length) : 0);
}

std::vector<std::wstring> StaticTexts(HWND window) {
  std::vector<StaticItem> items;
  EnumChildWindows(window, &CollectStatic, reinterpret_cast<LPARAM>(&items));
  std::stable_sort(items.begin(), items.end(), [](const StaticItem& a, const StaticItem& b) {
    return a.place.top != b.place.top ? a.place.top < b.place.top : a.place.left < b.place.left;
  });
  std::vector<std::wstring> lines;
  for (const StaticItem& item : items) {
    std::vector<std::wstring> shown = out::SplitLines(item.text);
    lines.insert(lines.end(), shown.begin(), shown.end());
  }
  return lines;
}

WindowWatch::WindowWatch(std::vector<HWND> ignored) : ignored_(std::move(ignored)) {
  {
    // What is open already is not news.
    std::lock_guard<std::mutex> guard(lock_);
    for (HWND window : TopLevelWindows()) seen_[window] = {IsWindowVisible(window) != FALSE, 0};
  }
  thread_ = std::thread([this] {
    while (!stop_) {
      Scan();
      Sleep(20);
    }
  });
}

WindowWatch::~WindowWatch() {
  stop_ = true;
  thread_.join();
}

std::vector<HWND> WindowWatch::TopLevelWindows() const {
  std::vector<HWND> windows;
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void WindowWatch::Scan() {
  std::lock_guard<std::mutex> guard(lock_);
  ScanLocked();
}

void WindowWatch::ScanLocked() {
  std::vector<HWND> windows = TopLevelWindows();
  for (auto it = seen_.begin(); it != seen_.end();)
    it = std::find(windows.begin(), windows.end(), it->first) == windows.end() ? seen_.erase(it) : std::next(it);
  for (HWND window : windows) {
    bool visible = IsWindowVisible(window) != FALSE;
    Seen& seen = seen_[window];
    bool appeared = visible && !seen.visible;
    seen.visible = visible;
    if (!appeared || std::find(ignored_.begin(), ignored_.end(), window) != ignored_.end() ||
        IsPart(WindowClass(window)))
      continue;
    seen.order = ++appearances_;
    out::Line(L"window: " + StoredWindowText(window));
    for (const std::wstring& line : StaticTexts(window)) out::Line(L"  " + line);
  }
}

HWND WindowWatch::WaitFor(const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      ScanLocked();
      HWND newest = nullptr;
      unsigned newestOrder = 0;
      for (const auto& [window, seen] : seen_) {
        if (seen.visible && seen.order > 0 && seen.order >= newestOrder && IsWindowEnabled(window) &&
            StoredWindowText(window) == caption) {
          newest = window;
          newestOrder = seen.order;
        }
      }
      if (newest) return newest;
    }
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(20);
  }
}

std::vector<std::wstring> WindowWatch::VisibleCaptions() {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<std::wstring> captions;
  for (const auto& [window, seen] : seen_)
    if (seen.visible && seen.order > 0) captions.push_back(StoredWindowText(window));
  return captions;
}
