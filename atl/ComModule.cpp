#include "atl/ComModule.h"

#include <oleauto.h>

#include "atl/ClassFactory.h"
#include "atl/ComObject.h"
#include "atl/Handles.h"
#include "atl/Module.h"
#include "atl/Registrar.h"

extern "C" {
// Present in oleaut32 but missing from the mingw-w64 headers.
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpDir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID id, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace {

LONG g_lockCount = 0;

// While alive and active, HKEY_CLASSES_ROOT of this process means HKEY_CURRENT_USER\Software\Classes,
// so the platform's registrar and type-library registration write per user.
class ClassesRootRedirect {
 public:
  explicit ClassesRootRedirect(bool active) {
    if (!active) return;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        userClasses_.put(), nullptr) == ERROR_SUCCESS)
      active_ = RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses_.get()) == ERROR_SUCCESS;
  }
  ~ClassesRootRedirect() {
    if (active_) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  }
  ClassesRootRedirect(const ClassesRootRedirect&) = delete;
  ClassesRootRedirect& operator=(const ClassesRootRedirect&) = delete;

 private:
  UniqueKey userClasses_;
  bool active_ = false;
};

}  // namespace

LONG ComModule::Lock() { return InterlockedIncrement(&g_lockCount); }
LONG ComModule::Unlock() { return InterlockedDecrement(&g_lockCount); }
LONG ComModule::LockCount() { return InterlockedCompareExchange(&g_lockCount, 0, 0); }

ComModule::ComModule(std::vector<ComClassEntry> classes, std::wstring appId, UINT appIdScript)
    : classes_(std::move(classes)), appId_(std::move(appId)), appIdScript_(appIdScript) {}

HRESULT ComModule::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const ComClassEntry& entry : classes_) {
    if (*entry.clsid != clsid) continue;
    ComPtr<ComObject<ClassFactory>> factory;
    HRESULT hr = ComObject<ClassFactory>::Create(factory, entry.create);
    if (FAILED(hr)) return hr;
    return factory->QueryInterface(iid, out);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ComModule::UpdateRegistryFromResource(UINT script, bool install) const {
  std::wstring path = ModuleFilePath();
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  ClassesRootRedirect redirect(perUser_);
  return RunRegistrarScript(path, script, {{L"MODULE", path}, {L"APPID", appId_}}, install);
}

HRESULT ComModule::UpdateRegistryAppId(bool install) const { return UpdateRegistryFromResource(appIdScript_, install); }

HRESULT ComModule::RegisterServer(bool typeLibrary) const {
  for (const ComClassEntry& entry : classes_) {
    HRESULT hr = UpdateRegistryFromResource(entry.registryScript, true);
    if (FAILED(hr)) return hr;
  }
  return typeLibrary ? RegisterTypeLibrary() : S_OK;
}

HRESULT ComModule::UnregisterServer(bool typeLibrary) const {
  HRESULT result = S_OK;
  for (const ComClassEntry& entry : classes_) {
    HRESULT hr = UpdateRegistryFromResource(entry.registryScript, false);
    if (FAILED(hr)) result = hr;
  }
  if (typeLibrary) {
    HRESULT hr = UnregisterTypeLibrary();
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  return result;
}

namespace {
// The type library embedded in this binary as TYPELIB 1.
HRESULT LoadOwnTypeLibrary(std::wstring& path, ComPtr<ITypeLib>& library) {
  path = ModuleFilePath();
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
}
}  // namespace

HRESULT ComModule::RegisterTypeLibrary() const {
  std::wstring path;
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadOwnTypeLibrary(path, library);
  if (FAILED(hr)) return hr;
  ClassesRootRedirect redirect(perUser_);
  return perUser_ ? RegisterTypeLibForUser(library.get(), path.data(), nullptr)
                  : RegisterTypeLib(library.get(), path.data(), nullptr);
}

HRESULT ComModule::UnregisterTypeLibrary() const {
  std::wstring path;
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadOwnTypeLibrary(path, library);
  if (FAILED(hr)) return hr;
  TLIBATTR* attributes = nullptr;
  hr = library->GetLibAttr(&attributes);
  if (FAILED(hr)) return hr;
  TLIBATTR copy = *attributes;
  library->ReleaseTLibAttr(attributes);
  ClassesRootRedirect redirect(perUser_);
  return perUser_ ? UnRegisterTypeLibForUser(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind)
                  : UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
}
