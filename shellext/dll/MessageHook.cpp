// The exported message hook: a WH_GETMESSAGE hook for the whole desktop that passes every message on.
#include <atomic>

#include "atl/Module.h"
#include "shellext/dll/ExternalZintOperations.h"

namespace {
// The hook this process set; a process the system loaded the library into for the hook holds none.
std::atomic<HHOOK> g_hook{nullptr};
}  // namespace

extern "C" HHOOK InstallHook() {
  if (HHOOK held = g_hook.load()) return held;
  // The procedure lives in this library, so the hook needs this library's module, not the program's.
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, MsgHookProc, ModuleInstance(), 0);
  HHOOK expected = nullptr;
  if (hook && !g_hook.compare_exchange_strong(expected, hook)) {
    UnhookWindowsHookEx(hook);  // another thread set one first
    return expected;
  }
  return hook;
}

extern "C" LRESULT CALLBACK MsgHookProc(int code, WPARAM wparam, LPARAM lparam) {
  // Every message goes on to the hooks after this one, unchanged.
  return CallNextHookEx(g_hook.load(), code, wparam, lparam);
}

extern "C" BOOL RemoveHook() {
  HHOOK hook = g_hook.exchange(nullptr);
  return hook ? UnhookWindowsHookEx(hook) : FALSE;
}
