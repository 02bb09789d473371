// Time to build the menu model for 1, 100 and 10,000 selected files, and for ten folders holding
// 100,000 entries between them (which must cost no more than ten empty folders).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "shellext/menu/MenuModel.h"

namespace {

std::wstring g_root;

void MakeFile(const std::wstring& path) {
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
}

PathList Files(const std::wstring& folder, int count) {
  CreateDirectoryW(folder.c_str(), nullptr);
  PathList list;
  for (int i = 0; i < count; ++i) {
    list.push_back(folder + L"\\photo" + std::to_wstring(i) + L".jpg");
    MakeFile(list.back());
  }
  return list;
}

PathList Folders(const std::wstring& folder, int entriesEach) {
  CreateDirectoryW(folder.c_str(), nullptr);
  PathList list;
  for (int i = 0; i < 10; ++i) {
    list.push_back(folder + L"\\folder" + std::to_wstring(i));
    Files(list.back(), entriesEach);
  }
  return list;
}

void Measure(const char* name, const PathList& selection, const MenuContext& context) {
  const int rounds = selection.size() >= 1000 ? 20 : 200;
  BuildMenu(ViewsOf(selection), context);  // warm the file system cache
  auto start = std::chrono::steady_clock::now();
  size_t sink = 0;
  for (int i = 0; i < rounds; ++i) sink += BuildMenu(ViewsOf(selection), context).children.size();
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / rounds;
  printf("%-40s %10.3f ms per menu (%zu)\n", name, ms, sink / rounds);
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  g_root = std::wstring(temp) + L"brivane-menu-benchmark";
  CreateDirectoryW(g_root.c_str(), nullptr);
  MenuContext context;
  context.desktop = QueryDesktopFolders();

  printf("preparing files...\n");
  PathList one = Files(g_root + L"\\one", 1);
  PathList hundred = Files(g_root + L"\\hundred", 100);
  PathList tenThousand = Files(g_root + L"\\ten-thousand", 10000);
  PathList emptyFolders = Folders(g_root + L"\\empty", 0);
  PathList largeFolders = Folders(g_root + L"\\large", 10000);

  Measure("1 selected file", one, context);
  Measure("100 selected files", hundred, context);
  Measure("10,000 selected files", tenThousand, context);
  Measure("10 empty folders", emptyFolders, context);
  Measure("10 folders, 100,000 entries in all", largeFolders, context);
  return 0;
}
