#pragma once
// The COM module of the template-library stand-in: the lock count that decides unloading, the classes
// the binary serves, and registration through the platform's registrar (atl.dll's IRegistrar) running
// the binary's REGISTRY resources with %MODULE% and %APPID% replaced.
#include <windows.h>

#include <string>
#include <vector>

using CreateInstanceFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

struct ComClassEntry {
  const CLSID* clsid = nullptr;
  CreateInstanceFunction create = nullptr;
  UINT registryScript = 0;  // the REGISTRY resource that registers the class
};

class ComModule {
 public:
  // Live objects and LockServer calls, process-wide.
  static LONG Lock();
  static LONG Unlock();
  static LONG LockCount();

  ComModule(std::vector<ComClassEntry> classes, std::wstring appId, UINT appIdScript);
  virtual ~ComModule() = default;
  ComModule(const ComModule&) = delete;
  ComModule& operator=(const ComModule&) = delete;

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
  HRESULT CanUnloadNow() const { return LockCount() == 0 ? S_OK : S_FALSE; }

  // Runs the AppID script for registration or removal.
  HRESULT UpdateRegistryAppId(bool install) const;
  // Each class's script, then the type library embedded as TYPELIB 1 (registration), or the reverse.
  HRESULT RegisterServer(bool typeLibrary) const;
  HRESULT UnregisterServer(bool typeLibrary) const;
  HRESULT UpdateRegistryFromResource(UINT script, bool install) const;

  // Per-user registration: while scripts and the type library are registered, HKEY_CLASSES_ROOT
  // stands for HKEY_CURRENT_USER\Software\Classes.
  void SetPerUserRegistration(bool perUser) { perUser_ = perUser; }
  bool PerUserRegistration() const { return perUser_; }

  const std::wstring& AppId() const { return appId_; }

 private:
  HRESULT RegisterTypeLibrary() const;
  HRESULT UnregisterTypeLibrary() const;

  std::vector<ComClassEntry> classes_;
  std::wstring appId_;
  UINT appIdScript_;
  bool perUser_ = false;
};
