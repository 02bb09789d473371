#include "shellext/dll/BrivaneModule.h"

#include <olectl.h>

#include <cwchar>
#include <string>

#include "atl/Handles.h"
#include "atl/Module.h"
#include "resource.h"
#include "shellext/com/BrivaneShellExt.h"
#include "shellext/com/ComIdentity.h"

namespace {

constexpr wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

// The registrar scripts run under the system's default locale, whatever the calling thread uses.
class SystemLocaleScope {
 public:
  SystemLocaleScope() : previous_(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
  ~SystemLocaleScope() { SetThreadLocale(previous_); }
  SystemLocaleScope(const SystemLocaleScope&) = delete;
  SystemLocaleScope& operator=(const SystemLocaleScope&) = delete;

 private:
  LCID previous_;
};

// Failures are skipped: the result of registration is that of the scripts and the type library.
void WriteShellExKeys() {
  const DWORD bytes = DWORD(sizeof kClsidBrivaneShellExtText);
  for (const wchar_t* path : kShellExKeys) {
    UniqueKey key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) ==
        ERROR_SUCCESS)
      RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClsidBrivaneShellExtText), bytes);
  }
}

void DeleteShellExKeys() {
  for (const wchar_t* path : kShellExKeys) {
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ | DELETE, key.put()) == ERROR_SUCCESS)
      RegDeleteKeyW(key.get(), L"");
  }
}

// The class script keeps the Approved key but names our value in it. Some registrars (Wine's among
// them) keep the values of kept keys on removal, so the value is removed here as well.
void DeleteApprovedValue() {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kApprovedKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
    RegDeleteValueW(key.get(), kClsidBrivaneShellExtText);
}

// Where the class key lies: the machine's classes, or the user's for a per-user registration.
HKEY ClassesRoot(bool perUser) { return perUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT; }
std::wstring ClassKey(bool perUser) {
  return std::wstring(perUser ? L"Software\\Classes\\" : L"") + L"CLSID\\" + kClsidBrivaneShellExtText;
}

// The path the class's InprocServer32 key names, as the scripts left it.
std::wstring RegisteredServerPath(bool perUser) {
  std::wstring key = ClassKey(perUser) + L"\\InprocServer32";
  wchar_t path[2048] = L"";
  DWORD bytes = sizeof path - sizeof(wchar_t);
  if (RegGetValueW(ClassesRoot(perUser), key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) != ERROR_SUCCESS)
    return {};
  return path;
}

// The class's whole key, with whatever a misread script put below it.
void DeleteClassKey(bool perUser) {
  RegDeleteTreeW(ClassesRoot(perUser), ClassKey(perUser).c_str());
  RegDeleteKeyW(ClassesRoot(perUser), ClassKey(perUser).c_str());
}

}  // namespace

CBrivaneModule::CBrivaneModule()
    : ComModule({{&kClsidBrivaneShellExt, &BrivaneShellExtObject::NewInstance, IDR_BRIVANESHELLEXT}}, kAppIdText,
                IDR_BRIVANE) {}

HRESULT CBrivaneModule::DllRegisterServer() {
  WriteShellExKeys();
  SystemLocaleScope locale;
  HRESULT hr = UpdateRegistryAppId(true);
  if (FAILED(hr)) return hr;
  hr = RegisterServer(true);
  if (FAILED(hr)) return hr;
  // A registrar that cannot read this library's path from the scripts (one without the quoting of
  // apostrophes, Wine's among them) registers something else: take it all back and say so.
  if (RegisteredServerPath(PerUserRegistration()) != ModuleFilePath()) {
    DllUnregisterServer();
    DeleteClassKey(PerUserRegistration());
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT CBrivaneModule::DllUnregisterServer() {
  DeleteShellExKeys();
  SystemLocaleScope locale;
  HRESULT hr = UnregisterServer(true);
  HRESULT appId = UpdateRegistryAppId(false);
  DeleteApprovedValue();
  return FAILED(hr) ? hr : appId;
}

HRESULT CBrivaneModule::DllInstall(bool install, const wchar_t* commandLine) {
  // "user" with its terminator: "users" is not per-user.
  if (commandLine && _wcsnicmp(commandLine, L"user", 5) == 0) SetPerUserRegistration(true);
  if (!install) return DllUnregisterServer();
  HRESULT hr = DllRegisterServer();
  if (FAILED(hr)) DllUnregisterServer();
  return hr;
}

CBrivaneModule& BrivaneModule() {
  static CBrivaneModule module;
  return module;
}
