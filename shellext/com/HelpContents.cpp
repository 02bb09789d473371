#include "shellext/com/HelpContents.h"

#include <string>

#include "atl/Module.h"
#include "base/ParentFolder.h"
#include "ui/Dpi.h"

namespace {

constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// HTML Help lives in hhctrl.ocx, loaded on first use and kept: its help window outlives the call.
HtmlHelpFunction LoadHtmlHelp() {
  static HtmlHelpFunction function = [] {
    HMODULE control = LoadLibraryW(L"hhctrl.ocx");
    return control ? reinterpret_cast<HtmlHelpFunction>(GetProcAddress(control, "HtmlHelpW")) : nullptr;
  }();
  return function;
}

}  // namespace

void ShowHelpContents(HWND owner) {
  std::wstring module = ModuleFilePath();
  if (module.empty()) return;
  std::wstring path = ParentFolder(module) + L"\\BrivaneHelp.chm";
  HtmlHelpFunction htmlHelp = LoadHtmlHelp();
  if (!htmlHelp) return;
  HWND window = htmlHelp(owner, path.c_str(), kDisplayTopic, 0);
  if (!window) return;
  RECT screen{};
  GetWindowRect(GetDesktopWindow(), &screen);
  int width = screen.right - screen.left, height = screen.bottom - screen.top;
  // 800 x 600 at 96 DPI, as large to the eye at any scale.
  int dpi = WindowDpi(window);
  int helpWidth = ScaleForDpi(800, dpi), helpHeight = ScaleForDpi(600, dpi);
  MoveWindow(window, width / 2 - helpWidth / 2, height / 2 - helpHeight / 2, helpWidth, helpHeight, TRUE);
}
