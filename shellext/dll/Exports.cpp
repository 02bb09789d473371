// The entry points of Brivane.dll that COM, Explorer and the registration tool call.
#include <windows.h>
#include <olectl.h>

#include "shellext/dll/BrivaneModule.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  return BrivaneModule().GetClassObject(clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return BrivaneModule().CanUnloadNow(); }

STDAPI DllRegisterServer() { return BrivaneModule().DllRegisterServer(); }

STDAPI DllUnregisterServer() { return BrivaneModule().DllUnregisterServer(); }

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) { return BrivaneModule().DllInstall(install, commandLine); }
