#pragma once
// The library's COM module: serves CBrivaneShellExt and registers it as Explorer's context-menu
// handler for file-system objects, shortcuts and folder backgrounds.
#include "atl/ComModule.h"

class CBrivaneModule : public ComModule {
 public:
  CBrivaneModule();

  HRESULT DllRegisterServer();
  HRESULT DllUnregisterServer();
  // install: register (undone when it fails) or unregister; a command line of "user" in any letter
  // case registers per user.
  HRESULT DllInstall(bool install, const wchar_t* commandLine);
};

CBrivaneModule& BrivaneModule();
