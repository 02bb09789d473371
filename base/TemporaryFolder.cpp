#include "base/TemporaryFolder.h"

#include <windows.h>

std::wstring TemporaryFolder() {
  // The system never names one longer than MAX_PATH + 1 characters, its closing backslash included.
  wchar_t path[MAX_PATH + 2] = L"";
  DWORD length = GetTempPathW(MAX_PATH + 2, path);
  if (length == 0 || length > MAX_PATH + 1) return {};
  std::wstring folder(path, length);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}
