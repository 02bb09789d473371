#include "BrivaneDll.h"

#include <algorithm>
#include <vector>

#include "atl/Handles.h"

namespace {
using RegisterFunction = HRESULT(WINAPI*)();
using InstallFunction = HRESULT(WINAPI*)(BOOL, LPCWSTR);
}  // namespace

std::wstring BrivaneDllPath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  path.resize(path.rfind(L'\\'));  // ...\build\tests
  path.resize(path.rfind(L'\\'));  // ...\build
  return path + L"\\Brivane.dll";
}

BrivaneDll::BrivaneDll(const std::wstring& file) : module(LoadLibraryW(file.c_str())) {
  if (!module) return;
  wchar_t loaded[MAX_PATH];
  GetModuleFileNameW(module, loaded, MAX_PATH);
  path = loaded;
}

BrivaneDll::~BrivaneDll() {
  if (module) FreeLibrary(module);
}

HRESULT BrivaneDll::Register() const { return Get<RegisterFunction>("DllRegisterServer")(); }
HRESULT BrivaneDll::Unregister() const { return Get<RegisterFunction>("DllUnregisterServer")(); }
HRESULT BrivaneDll::CanUnloadNow() const { return Get<RegisterFunction>("DllCanUnloadNow")(); }
HRESULT BrivaneDll::Install(BOOL install, const wchar_t* commandLine) const {
  return Get<InstallFunction>("DllInstall")(install, commandLine);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  UniqueKey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name) {
  return RegGetValueW(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
    return L"<missing>";
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1);
  RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
  return text.data();
}

DWORD ReadDword(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD value = 0xDEAD, bytes = sizeof value;
  RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes);
  return value;
}

namespace {
template <class Enumerate>
std::vector<std::wstring> Names(HKEY root, const std::wstring& path, Enumerate enumerate) {
  std::vector<std::wstring> names;
  UniqueKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (enumerate(key.get(), i, name, &length) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path) {
  return Names(root, path, [](HKEY key, DWORD i, wchar_t* name, DWORD* length) {
    return RegEnumKeyExW(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) {
  return Names(root, path, [](HKEY key, DWORD i, wchar_t* name, DWORD* length) {
    return RegEnumValueW(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

void RemoveAllRegistrations() {
  BrivaneDll machine;
  if (machine.module) machine.Unregister();
  BrivaneDll user;
  if (user.module) user.Install(FALSE, L"user");
}
