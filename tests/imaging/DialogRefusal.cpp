#include "DialogRefusal.h"

#include "resource.h"
#include "support/DialogProbe.h"
#include "support/WindowDriver.h"

std::wstring RefusalAfterOk(HWND dialog, const std::wstring& caption) {
  Click(dialog, IDOK);
  struct Search {
    HWND dialog;
    const std::wstring* caption;
    HWND found;
  } search{dialog, &caption, nullptr};
  for (DWORD start = GetTickCount(); !search.found && GetTickCount() - start < 3000; Sleep(20)) {
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
          auto* search = reinterpret_cast<Search*>(param);
          if (window == search->dialog || !IsWindowVisible(window) || WindowText(window) != *search->caption) return TRUE;
          search->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) return L"";
  std::wstring text = Text(search.found, IDC_HEADING);
  Click(search.found, IDOK);
  for (DWORD start = GetTickCount(); IsWindow(search.found) && GetTickCount() - start < 3000;) Sleep(10);
  return text;
}
