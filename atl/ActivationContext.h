#pragma once
// The activation context of this module's own manifest, the one a library carries as RT_MANIFEST
// resource 2: while a scope lives on a thread, the windows that thread makes get the common controls
// the manifest names (version 6 for Brivane.dll), whatever the host process's manifest says. In a
// module without that resource a scope changes nothing.
#include <windows.h>

class ModuleActivationScope {
 public:
  ModuleActivationScope();
  ~ModuleActivationScope();
  ModuleActivationScope(const ModuleActivationScope&) = delete;
  ModuleActivationScope& operator=(const ModuleActivationScope&) = delete;

  bool active() const { return active_; }

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The module's context, made on first use and released when the module unloads; INVALID_HANDLE_VALUE
// when the module has no resource-2 manifest or the system refuses it.
HANDLE ModuleActivationContext();
