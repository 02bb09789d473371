#include "shellext/com/FolderBrowser.h"

#include <shlobj.h>

std::wstring BrowseForFolder(HWND parent, const wchar_t* title) {
  BROWSEINFOW info{};
  info.hwndOwner = parent;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return L"";
  wchar_t path[MAX_PATH] = L"";
  bool named = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  return named ? path : L"";
}
