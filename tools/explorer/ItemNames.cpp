#include "tools/explorer/ItemNames.h"

#include <shlwapi.h>

std::wstring ItemPath(PCIDLIST_ABSOLUTE absolute) {
  if (!absolute) return L"";
  std::wstring path(32768, L'\0');
  if (!SHGetPathFromIDListEx(absolute, path.data(), DWORD(path.size()), GPFIDL_DEFAULT)) return L"";
  path.resize(wcslen(path.c_str()));
  return path;
}

std::wstring ItemName(IShellFolder* parent, PCUITEMID_CHILD item, const std::wstring& path) {
  size_t slash = path.find_last_of(L'\\');
  if (!path.empty() && slash != path.size() - 1) return slash == std::wstring::npos ? path : path.substr(slash + 1);
  STRRET name = {};
  wchar_t* text = nullptr;
  if (parent && SUCCEEDED(parent->GetDisplayNameOf(item, SHGDN_INFOLDER, &name)) &&
      SUCCEEDED(StrRetToStrW(&name, item, &text))) {
    std::wstring result = text;
    CoTaskMemFree(text);
    return result;
  }
  return path;
}
