// Prints the full-mode Brivane menu for a sample selection made in a scratch folder: what a user sees
// on right-clicking two pictures and a folder.
#include <windows.h>

#include <cstdio>
#include <string>

#include "fileops/Trace.h"
#include "shellext/MenuModel.h"

namespace {
void Print(const std::wstring& text) {
  std::string bytes = trace::ToUtf8(text);
  fwrite(bytes.data(), 1, bytes.size(), stdout);
}
}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"Brivane Sample";
  CreateDirectoryW(folder.c_str(), nullptr);
  PathList selection{folder + L"\\Beach.JPG", folder + L"\\Harbour.png", folder + L"\\Trip Notes"};
  for (size_t i = 0; i < 2; ++i)
    CloseHandle(CreateFileW(selection[i].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CreateDirectoryW(selection[2].c_str(), nullptr);

  MenuContext context;
  context.desktop = QueryDesktopFolders();
  Print(L"Selection:\n");
  for (const std::wstring& path : selection) Print(L"  " + path + L"\n");
  Print(L"\n" + MenuTreeText(BuildMenu(selection, context)));
  return 0;
}
