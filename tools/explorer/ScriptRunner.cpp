#include "tools/explorer/ScriptRunner.h"

#include <commctrl.h>
#include <shlobj.h>

#include "tools/explorer/Output.h"
#include "tools/explorer/ScreenCapture.h"

namespace {

constexpr DWORD kSendTimeoutMs = 5000;
constexpr DWORD kSettleMs = 2000;

struct FindById {
  UINT id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM param) {
  auto* find = reinterpret_cast<FindById*>(param);
  if (UINT(GetDlgCtrlID(child)) != find->id) return TRUE;
  find->found = child;
  return FALSE;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return LRESULT(result);
}

std::wstring ControlText(HWND control) {
  LRESULT length = Send(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
  LRESULT copied = Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(size_t(copied > 0 ? copied : 0));
  return text;
}

bool ClassIs(HWND window, const wchar_t* name) {
  return CompareStringOrdinal(WindowClass(window).c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

// Waits until the condition holds, up to the time given.
template <class Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

// A row chosen as a user chooses it: selected, and the owner told as it would be by a click.
bool SelectRow(HWND control, int index, std::wstring& why) {
  HWND parent = GetParent(control);
  WPARAM command = GetDlgCtrlID(control);
  auto noRow = [&](const wchar_t* list) {
    why = std::wstring(list) + L" " + std::to_wstring(command) + L" has no row " + std::to_wstring(index);
    return false;
  };
  if (ClassIs(control, L"ListBox")) {
    if (index >= Send(control, LB_GETCOUNT, 0, 0)) return noRow(L"the list");
    if (GetWindowLongW(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
      Send(control, LB_SETSEL, FALSE, -1);
      Send(control, LB_SETSEL, TRUE, index);
    } else {
      Send(control, LB_SETCURSEL, index, 0);
    }
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(command, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    return true;
  }
  if (ClassIs(control, L"ComboBox") || ClassIs(control, L"ComboBoxEx32")) {
    if (index >= Send(control, CB_GETCOUNT, 0, 0)) return noRow(L"the combo box");
    Send(control, CB_SETCURSEL, index, 0);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(command, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    return true;
  }
  if (ClassIs(control, WC_LISTVIEWW)) {
    if (index >= Send(control, LVM_GETITEMCOUNT, 0, 0)) return noRow(L"the list view");
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    Send(control, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(control, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    Send(control, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
    return true;
  }
  why = L"control " + std::to_wstring(command) + L" is a " + WindowClass(control) + L", not a list";
  return false;
}

// A track bar moved as a drag moves it: the position, then the owner told of the thumb's move and end.
bool Slide(HWND control, int position, std::wstring& why) {
  WPARAM command = GetDlgCtrlID(control);
  if (!ClassIs(control, TRACKBAR_CLASSW)) {
    why = L"control " + std::to_wstring(command) + L" is a " + WindowClass(control) + L", not a track bar";
    return false;
  }
  Send(control, TBM_SETPOS, TRUE, position);
  UINT message = (GetWindowLongW(control, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  LPARAM from = reinterpret_cast<LPARAM>(control);
  Send(GetParent(control), message, MAKEWPARAM(TB_THUMBPOSITION, LOWORD(position)), from);
  Send(GetParent(control), message, MAKEWPARAM(TB_ENDTRACK, 0), from);
  if (Send(control, TBM_GETPOS, 0, 0) == position) return true;
  why = L"track bar " + std::to_wstring(command) + L" did not take position " + std::to_wstring(position);
  return false;
}

}  // namespace

ScriptRunner::~ScriptRunner() {
  if (thread_.joinable()) thread_.join();
  if (done_) CloseHandle(done_);
  if (returned_) CloseHandle(returned_);
}

void ScriptRunner::Start() {
  done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  returned_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this] {
    Run();
    SetEvent(done_);
  });
}

void ScriptRunner::CommandReturned() { SetEvent(returned_); }

void ScriptRunner::Abort(const std::wstring& why) {
  out::Line(why);
  TerminateProcess(GetCurrentProcess(), 2);
  ExitProcess(2);
}

void ScriptRunner::WatchForStuckCommand() {
  // A command that shows the same windows for this long after the last step waits for an answer that
  // will never come.
  std::vector<std::wstring> shown = watch_.VisibleCaptions();
  DWORD since = GetTickCount();
  while (WaitForSingleObject(returned_, 100) == WAIT_TIMEOUT) {
    std::vector<std::wstring> now = watch_.VisibleCaptions();
    if (now != shown) {
      shown = now;
      since = GetTickCount();
    } else if (!shown.empty() && GetTickCount() - since >= kStuckMs) {
      std::wstring captions;
      for (const std::wstring& caption : shown) captions += (captions.empty() ? L"\"" : L", \"") + caption + L"\"";
      Abort(L"script: the command still waits in " + captions + L" after the last step");
    }
  }
}

bool ScriptRunner::Finish() {
  while (MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  thread_.join();
  return failure_.empty();
}

void ScriptRunner::Run() {
  for (const ScriptStep& step : steps_) {
    std::wstring why;
    if (!RunStep(step, why)) {
      failure_ = L"script line " + std::to_wstring(step.line) + L": " + why;
      // The command may still end by itself; if it does not, nothing will answer its windows.
      if (WaitForSingleObject(returned_, 5000) == WAIT_TIMEOUT) Abort(failure_);
      return;
    }
  }
  WatchForStuckCommand();
}

HWND ScriptRunner::Control(UINT id, std::wstring& why) const {
  if (!current_ || !IsWindow(current_)) {
    why = current_ ? L"the window is gone" : L"no window yet: start with a \"window CAPTION\" step";
    return nullptr;
  }
  // Controls may sit inside child dialogs (pages), so search every level.
  FindById find{id, nullptr};
  EnumChildWindows(current_, &MatchId, reinterpret_cast<LPARAM>(&find));
  if (!find.found) why = L"\"" + StoredWindowText(current_) + L"\" has no control " + std::to_wstring(id);
  return find.found;
}

// A key pressed while the current window is in front: it goes to the control with the focus, or to a
// drop-down the window's thread has open, as the keyboard's keys would.
bool ScriptRunner::PressKey(int key, std::wstring& why) const {
  if (!current_ || !IsWindow(current_)) {
    why = current_ ? L"the window is gone" : L"no window yet: start with a \"window CAPTION\" step";
    return false;
  }
  GUITHREADINFO thread{sizeof thread};
  HWND target = current_;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(current_, nullptr), &thread) && thread.hwndFocus)
    target = thread.hwndFocus;
  UINT scan = MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, WPARAM(key), LPARAM(1 | scan << 16));
  PostMessageW(target, WM_KEYUP, WPARAM(key), LPARAM(1 | scan << 16 | 0xC0000000u));
  // Let the key take effect before the next step looks at the window.
  Sleep(100);
  return true;
}

bool ScriptRunner::RunStep(const ScriptStep& step, std::wstring& why) {
  using Kind = ScriptStep::Kind;
  if (step.kind == Kind::Window) {
    current_ = watch_.WaitFor(step.text, kWindowTimeoutMs);
    if (current_) return true;
    std::wstring open;
    for (const std::wstring& caption : watch_.VisibleCaptions()) open += (open.empty() ? L"\"" : L", \"") + caption + L"\"";
    why = L"no window \"" + step.text + L"\" appeared within " + std::to_wstring(kWindowTimeoutMs / 1000) +
          L" s (open: " + (open.empty() ? L"none" : open) + L")";
    return false;
  }
  if (step.kind == Kind::Pause) {
    Sleep(DWORD(step.index));
    return true;
  }
  if (step.kind == Kind::Shot) {
    RECT area;
    if (current_ && IsWindow(current_))
      GetWindowRect(current_, &area);
    else
      area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenPng(area, WindowsPath(step.text), why);
  }
  if (step.kind == Kind::Browse) {
    if (!current_ || !IsWindow(current_)) {
      why = L"no folder browser is open";
      return false;
    }
    // The browser selects the folder in its tree as a click would, and OK then returns it.
    std::wstring folder = WindowsPath(step.text);
    Send(current_, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    return true;
  }

  if (step.kind == Kind::Key) return PressKey(step.index, why);

  HWND control = Control(step.control, why);
  if (!control) return false;
  switch (step.kind) {
    case Kind::Set:
      Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()));
      if (ControlText(control) == step.text) return true;
      why = L"control " + std::to_wstring(step.control) + L" did not take the text";
      return false;
    case Kind::Check:
    case Kind::Uncheck: {
      LRESULT wanted = step.kind == Kind::Check ? BST_CHECKED : BST_UNCHECKED;
      if (Send(control, BM_GETCHECK, 0, 0) != wanted) PostMessageW(control, BM_CLICK, 0, 0);
      if (WaitUntil(kSettleMs, [&] { return Send(control, BM_GETCHECK, 0, 0) == wanted; })) return true;
      why = L"control " + std::to_wstring(step.control) + L" did not become " +
            (wanted == BST_CHECKED ? L"checked" : L"unchecked");
      return false;
    }
    case Kind::Select:
      return SelectRow(control, step.index, why);
    case Kind::Click: {
      HWND window = current_;
      PostMessageW(control, BM_CLICK, 0, 0);
      // Let the press take effect before the next step looks for windows: the window closes, hides, or
      // opens a modal one over itself. A press that does none of these just costs the wait.
      WaitUntil(kSettleMs / 4, [&] { return !IsWindow(window) || !IsWindowVisible(window) || !IsWindowEnabled(window); });
      return true;
    }
    case Kind::Slide:
      return Slide(control, step.index, why);
    case Kind::Expect: {
      std::wstring shown;
      if (WaitUntil(kSettleMs, [&] { return ComparableText(shown = ControlText(control)) == step.text; })) return true;
      why = L"control " + std::to_wstring(step.control) + L" reads \"" + ComparableText(shown) + L"\", expected \"" +
            step.text + L"\"";
      return false;
    }
    default:
      return false;
  }
}
