// The Explorer stand-in: a developer tool that does for a context menu what Explorer does, against the
// platform's real shell view of a folder. README.md describes its command line and output.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "tools/explorer/ClipboardText.h"
#include "tools/explorer/FolderWindow.h"
#include "tools/explorer/MenuSession.h"
#include "tools/explorer/MenuShot.h"
#include "tools/explorer/Options.h"
#include "tools/explorer/Output.h"
#include "tools/explorer/ScreenCapture.h"
#include "tools/explorer/ScriptRunner.h"
#include "tools/explorer/WindowWatch.h"

namespace {

constexpr int kInvokedOk = 0, kInvokeFailed = 1, kStepFailed = 2;

int Fail(const std::wstring& why) {
  out::Note(why);
  return kStepFailed;
}

void PrintLines(const std::wstring& text, const std::wstring& prefix = L"") {
  std::vector<std::wstring> lines = out::SplitLines(text);
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (const std::wstring& line : lines) out::Line(prefix + line);
}

std::wstring Joined(const std::vector<std::wstring>& names) {
  std::wstring text;
  for (const std::wstring& name : names) text += (text.empty() ? L"" : L";") + name;
  return text;
}

// Where a right-click would have been: on the focused item, or in the view's empty space.
POINT ClickPoint(const FolderWindow& window, bool background) {
  RECT area;
  GetClientRect(window.frame(), &area);
  POINT point = {area.right / 3, area.bottom / 3};
  HWND view = nullptr;
  if (window.view()) window.view()->GetWindow(&view);
  HWND list = view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
  int focused = list && !background ? ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED) : -1;
  RECT item;
  if (focused >= 0 && ListView_GetItemRect(list, focused, &item, LVIR_ICON)) {
    point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MapWindowPoints(list, window.frame(), &point, 1);
  } else if (background) {
    point = {area.right * 2 / 3, area.bottom * 2 / 3};
  }
  ClientToScreen(window.frame(), &point);
  return point;
}

// What changed for the user once a command returned: the view's selection and the clipboard.
void ReportAfterCommand(const FolderWindow& window, DWORD clipboardBefore) {
  PumpMessages();
  out::Line(L"selected: " + Joined(window.SelectedNames()));
  std::wstring text;
  // One report line per line of text; a text ending in a line break ends with an empty line.
  if (GetClipboardSequenceNumber() != clipboardBefore && ReadClipboardText(text)) PrintLines(text + L"\n", L"clipboard: ");
}

bool LoadScript(const std::wstring& file, std::vector<ScriptStep>& steps, std::wstring& error) {
  std::wstring text;
  if (file.empty()) return true;
  if (!ReadTextFile(WindowsPath(file), text, error)) return false;
  ParsedScript parsed = ParseScript(text);
  if (!parsed.ok) {
    error = file + L": " + parsed.error;
    return false;
  }
  steps = std::move(parsed.steps);
  return true;
}

// The entries opened in the screenshot: as asked, else the entry to invoke, else the first submenu.
bool ShotPath(const ExplorerOptions& options, const std::vector<MenuNode>& entries,
              const std::vector<MenuPathStep>& target, std::vector<MenuPathStep>& open, std::wstring& error) {
  if (!options.open.empty()) return FindMenuPath(entries, options.open, open, error);
  open = target;
  if (open.empty())
    for (const MenuNode& node : entries)
      if (node.kind == MenuNode::Kind::Submenu) return FindMenuPath(entries, {node.text}, open, error);
  return true;
}

// Invokes the entry while the script answers its windows; the exit code.
int InvokeEntry(const MenuNode& entry, MenuSession& session, FolderWindow& window, WindowWatch& watch,
                std::vector<ScriptStep> steps, POINT click) {
  DWORD clipboardBefore = GetClipboardSequenceNumber();
  ScriptRunner script(std::move(steps), watch);
  script.Start();
  HRESULT hr = session.Invoke(entry.command, window.frame(), window.path(), click);
  script.CommandReturned();
  bool scriptOk = script.Finish();
  watch.Scan();
  out::Line(L"invoke: " + (hr == S_OK ? std::wstring(L"S_OK") : out::Hex(hr)));
  ReportAfterCommand(window, clipboardBefore);
  if (!scriptOk) {
    out::Line(script.failure());
    return kStepFailed;
  }
  return hr == S_OK ? kInvokedOk : kInvokeFailed;
}

int RunScripted(const ExplorerOptions& options, FolderWindow& window, WindowWatch& watch) {
  std::vector<ScriptStep> steps;
  std::wstring error;
  if (!LoadScript(options.script, steps, error)) return Fail(error);

  MenuSession session;
  UINT flags = options.hasFlags ? options.flags : MenuSession::UsualFlags(options.background);
  if (!session.Build(window, options.background, flags, error, options.withFolder)) return Fail(error);
  window.SetMenuMessageHook([&session](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    return session.HandleMenuMessage(message, wparam, lparam, result);
  });
  std::vector<MenuNode> entries = session.Entries();
  if (options.menu) PrintLines(MenuLines(entries));

  std::vector<MenuPathStep> target;
  if (!options.invoke.empty()) {
    if (!FindMenuPath(entries, options.invoke, target, error)) return Fail(error);
    const MenuNode& entry = *target.back().node;
    std::wstring path = JoinMenuPath(options.invoke);
    if (entry.kind != MenuNode::Kind::Command) return Fail(path + L" opens a submenu; name one of its entries");
    if (entry.greyed) return Fail(path + L" is greyed: a user cannot choose it");
  }
  POINT click = ClickPoint(window, options.background);

  if (!options.shot.empty()) {
    std::vector<MenuPathStep> open;
    if (!ShotPath(options, entries, target, open, error)) return Fail(error);
    if (!ShootOpenMenu(window.frame(), session.popup(), open, click, WindowsPath(options.shot), error))
      return Fail(L"screenshot: " + error);
  }

  if (target.empty()) {
    out::Line(L"selected: " + Joined(window.SelectedNames()));
    return kInvokedOk;
  }
  return InvokeEntry(*target.back().node, session, window, watch, std::move(steps), click);
}

int RunInteractive(FolderWindow& window) {
  window.QuitOnClose(true);
  window.SetContextMenuRequest([&window](POINT at, bool onItems) {
    MenuSession session;
    std::wstring error;
    if (!session.Build(window, !onItems, MenuSession::UsualFlags(!onItems), error)) {
      out::Note(error);
      return;
    }
    if (GetMenuItemCount(session.popup()) == 0)
      AppendMenuW(session.popup(), MF_STRING | MF_GRAYED, 0, L"(no handler added an entry)");
    window.SetMenuMessageHook([&session](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
      return session.HandleMenuMessage(message, wparam, lparam, result);
    });
    UINT id = UINT(TrackPopupMenuEx(session.popup(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, window.frame(),
                                    nullptr));
    if (id != 0) {
      DWORD clipboardBefore = GetClipboardSequenceNumber();
      HRESULT hr = session.Invoke(id, window.frame(), window.path(), at);
      out::Line(L"invoke: " + (hr == S_OK ? std::wstring(L"S_OK") : out::Hex(hr)));
      ReportAfterCommand(window, clipboardBefore);
    }
    window.SetMenuMessageHook(nullptr);
  });
  window.Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.view() && window.view()->TranslateAccelerator(&message) == S_OK) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return kInvokedOk;
}

// COM, OLE (clipboard, drag and drop in the view), common controls and GDI+ for the whole run.
class Platform {
 public:
  Platform() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr);
  }
  ~Platform() {
    Gdiplus::GdiplusShutdown(gdiplus_);
    OleUninitialize();
  }

 private:
  ULONG_PTR gdiplus_ = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ParsedOptions parsed = ParseOptions(std::vector<std::wstring>(argv + 1, argv + argc));
  if (parsed.options.help) {
    PrintLines(kUsage);
    return kInvokedOk;
  }
  if (!parsed.ok) {
    out::Note(parsed.error);
    out::Note(kUsage);
    return kStepFailed;
  }
  const ExplorerOptions& options = parsed.options;

  Platform platform;
  int result = kInvokedOk;
  {
    FolderWindow window;
    std::wstring error;
    if (!window.Open(WindowsPath(options.folder), error)) return Fail(error);
    if (!options.select.empty() && !window.Select(options.select, error)) return Fail(error);
    WindowWatch watch({window.frame()});
    if (options.Scripted()) {
      window.Show();
      result = RunScripted(options, window, watch);
    } else {
      result = RunInteractive(window);
    }
  }
  return result;
}
