#include "base/ParentFolder.h"

std::wstring ParentFolder(const std::wstring& path) {
  size_t end = path.size();
  while (end > 0 && path[end - 1] == L'\\') --end;
  for (size_t i = end; i > 0; --i) {
    wchar_t c = path[i - 1];
    if (c == L':') return path.substr(0, i);
    if (c == L'\\') return path.substr(0, i - 1);
  }
  return L"";
}
