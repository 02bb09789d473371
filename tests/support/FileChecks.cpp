#include "support/FileChecks.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "base/FindHandle.h"
#include "support/TestSupport.h"

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  FindHandle search(folder + L"\\*", data);
  if (search.valid()) {
    do {
      if (!IsDotEntry(data.cFileName)) names.push_back(data.cFileName);
    } while (search.next(data));
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool InRecycleBin(const std::wstring& name) {
  bool found = false;
  HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellFolder* desktop = nullptr;
  PIDLIST_ABSOLUTE binLocation = nullptr;
  IShellFolder* bin = nullptr;
  IEnumIDList* items = nullptr;
  if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
      SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binLocation)) &&
      SUCCEEDED(desktop->BindToObject(binLocation, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&bin))) &&
      bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
    PITEMID_CHILD item;
    while (!found && items->Next(1, &item, nullptr) == S_OK) {
      STRRET text;
      wchar_t shown[MAX_PATH] = L"";
      if (SUCCEEDED(bin->GetDisplayNameOf(item, SHGDN_NORMAL, &text))) StrRetToBufW(&text, item, shown, MAX_PATH);
      found = name == shown;
      CoTaskMemFree(item);
    }
  }
  if (items) items->Release();
  if (bin) bin->Release();
  if (binLocation) CoTaskMemFree(binLocation);
  if (desktop) desktop->Release();
  if (SUCCEEDED(init)) CoUninitialize();
  return found;
}

std::wstring UniqueName(const std::wstring& stem, const std::wstring& extension) {
  return stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) + L"." +
         extension;
}

std::wstring FolderOfLength(const TempDir& dir, size_t length) {
  std::wstring path = dir.path();
  wchar_t letter = L'a';
  while (path.size() < length) {
    // A backslash and a name of at most 100 characters each time, never leaving room for a backslash alone.
    size_t remaining = length - path.size();
    size_t take = remaining <= 101 ? remaining - 1 : (remaining == 102 ? 99 : 100);
    path += L"\\" + std::wstring(take, letter++);
    // Folders this deep need the long-path form on Windows.
    CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
  }
  return path;
}
