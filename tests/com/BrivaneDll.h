#pragma once
// Brivane.dll as the system loads it: beside the tests folder in the build, loaded by path.
#include <windows.h>

#include <string>
#include <vector>

std::wstring BrivaneDllPath();

struct BrivaneDll {
  // The built library, or a copy of it at another path.
  explicit BrivaneDll(const std::wstring& file = BrivaneDllPath());
  ~BrivaneDll();
  BrivaneDll(const BrivaneDll&) = delete;
  BrivaneDll& operator=(const BrivaneDll&) = delete;

  template <class Function>
  Function Get(const char* name) const {
    return reinterpret_cast<Function>(GetProcAddress(module, name));
  }
  HRESULT Register() const;
  HRESULT Unregister() const;
  HRESULT Install(BOOL install, const wchar_t* commandLine) const;
  HRESULT CanUnloadNow() const;

  HMODULE module = nullptr;
  std::wstring path;  // as the module reports it, which is what registration writes
};

// Registry reading for the checks: nullopt-like empty results are told apart by KeyExists.
bool KeyExists(HKEY root, const std::wstring& path);
bool ValueExists(HKEY root, const std::wstring& path, const wchar_t* name);
std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
DWORD ReadDword(HKEY root, const std::wstring& path, const wchar_t* name);
// The names of a key's subkeys and of its values ("" for the default value), sorted.
std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path);
std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path);
// Removes every registration the tests may have made, machine-wide and per user.
void RemoveAllRegistrations();
