#include "ui/ModelessDialogs.h"

#include <algorithm>
#include <vector>

namespace {
struct ThreadDialogs {
  HHOOK hook = nullptr;
  std::vector<HWND> dialogs;
};
thread_local ThreadDialogs t_registry;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message >= WM_KEYFIRST &&
      message->message <= WM_KEYLAST) {
    // A copy: the dialog may close, and unregister, while it handles the key.
    std::vector<HWND> dialogs = t_registry.dialogs;
    for (HWND dialog : dialogs) {
      if (IsWindow(dialog) && IsDialogMessageW(dialog, message)) {
        message->message = WM_NULL;
        message->wParam = 0;
        message->lParam = 0;
        break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

void RegisterModelessDialog(HWND dialog) {
  auto& dialogs = t_registry.dialogs;
  if (std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end()) return;
  dialogs.push_back(dialog);
  if (!t_registry.hook)
    t_registry.hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
}

void UnregisterModelessDialog(HWND dialog) {
  auto& dialogs = t_registry.dialogs;
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
  if (dialogs.empty() && t_registry.hook) {
    UnhookWindowsHookEx(t_registry.hook);
    t_registry.hook = nullptr;
  }
}

size_t ModelessDialogCount() { return t_registry.dialogs.size(); }
