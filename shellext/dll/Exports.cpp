// The entry points of Brivane.dll that COM, Explorer and the registration tool call.
#include <windows.h>
#include <olectl.h>

#include "shellext/dll/BrivaneModule.h"
#include "shellext/menu/IconCache.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  // Unloaded by FreeLibrary (not at the process's end): the menu icons and bitmaps go with the library.
  if (reason == DLL_PROCESS_DETACH && !reserved) icon_cache::Release();
  return TRUE;
}

namespace {
// Nothing of ours may unwind into the caller.
template <class Call>
HRESULT Guarded(Call call) {
  try {
    return call();
  } catch (...) {
    return E_FAIL;
  }
}
}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  return Guarded([&] { return BrivaneModule().GetClassObject(clsid, iid, out); });
}

STDAPI DllCanUnloadNow() { return BrivaneModule().CanUnloadNow(); }

STDAPI DllRegisterServer() {
  return Guarded([] { return BrivaneModule().DllRegisterServer(); });
}

STDAPI DllUnregisterServer() {
  return Guarded([] { return BrivaneModule().DllUnregisterServer(); });
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  return Guarded([&] { return BrivaneModule().DllInstall(install, commandLine); });
}
