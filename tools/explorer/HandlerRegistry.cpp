#include "tools/explorer/HandlerRegistry.h"

#include <algorithm>
#include <map>

#include "atl/ComPtr.h"
#include "atl/Handles.h"
#include "tools/explorer/Output.h"

namespace {

// Registry key names compare without regard to case.
struct KeyNameLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_LESS_THAN;
  }
};
using HandlerMap = std::map<std::wstring, std::wstring, KeyNameLess>;

std::wstring DefaultValue(HKEY key) {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t), type = 0;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return L"";
  value[bytes / sizeof(wchar_t)] = L'\0';
  return value;
}

// name -> class id text, the per-user entries read last so that they replace the machine's.
void ReadHandlers(HKEY root, const std::wstring& keyPath, HandlerMap& handlers) {
  UniqueKey key;
  if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    LONG status = RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    UniqueKey entry;
    std::wstring value;
    if (RegOpenKeyExW(key.get(), name, 0, KEY_READ, entry.put()) == ERROR_SUCCESS) value = DefaultValue(entry.get());
    // A handler may also be registered with its class id as the key name and no value.
    handlers[name] = value.empty() ? name : value;
  }
}

}  // namespace

std::vector<HandlerEntry> FindContextMenuHandlers(const std::vector<std::wstring>& classes) {
  std::vector<HandlerEntry> found;
  for (const std::wstring& className : classes) {
    HandlerMap handlers;
    std::wstring keyPath = L"Software\\Classes\\" + className + L"\\shellex\\ContextMenuHandlers";
    ReadHandlers(HKEY_LOCAL_MACHINE, keyPath, handlers);
    ReadHandlers(HKEY_CURRENT_USER, keyPath, handlers);
    for (const auto& [name, clsid] : handlers) {
      HandlerEntry entry{name, clsid, {}};
      if (FAILED(CLSIDFromString(clsid.c_str(), &entry.id))) {
        out::Note(L"handler " + className + L"\\" + name + L" skipped: \"" + clsid + L"\" is not a class id");
        continue;
      }
      bool seen = std::any_of(found.begin(), found.end(),
                              [&](const HandlerEntry& other) { return IsEqualCLSID(other.id, entry.id); });
      if (!seen) found.push_back(entry);
    }
  }
  return found;
}

HRESULT CreateHandler(const CLSID& id, REFIID riid, void** object) {
  HRESULT hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, riid, object);
  if (hr != REGDB_E_CLASSNOTREG) return hr;
  wchar_t clsid[64];
  StringFromGUID2(id, clsid, 64);
  UniqueKey server;
  std::wstring key = std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\InprocServer32";
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, server.put()) != ERROR_SUCCESS) return hr;
  std::wstring module = DefaultValue(server.get());
  // The module stays loaded for the rest of the run, as COM keeps a server until it may unload.
  HMODULE library = module.empty() ? nullptr : LoadLibraryW(module.c_str());
  auto getClassObject =
      library ? reinterpret_cast<LPFNGETCLASSOBJECT>(GetProcAddress(library, "DllGetClassObject")) : nullptr;
  if (!getClassObject) return hr;
  ComPtr<IClassFactory> factory;
  hr = getClassObject(id, IID_IClassFactory, factory.put_void());
  return SUCCEEDED(hr) ? factory->CreateInstance(nullptr, riid, object) : hr;
}

std::vector<std::wstring> ItemClasses(const std::wstring& firstItemName) {
  std::vector<std::wstring> classes{L"AllFilesystemObjects"};
  size_t dot = firstItemName.rfind(L'.');
  std::wstring extension = dot == std::wstring::npos ? L"" : firstItemName.substr(dot);
  if (CompareStringOrdinal(extension.c_str(), -1, L".lnk", -1, TRUE) == CSTR_EQUAL) classes.push_back(L"lnkfile");
  return classes;
}

std::vector<std::wstring> BackgroundClasses() { return {L"Directory\\Background"}; }
