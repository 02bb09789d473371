// List of files, detailed HTML with subfolders, over generated trees of about 1,000, 10,000 and 100,000
// entries (or the sizes given on the command line): each tree holds one folder with a fifth of its
// entries as files, the rest in nested folders of 100. Beside each list, the platform's own
// "cmd /c dir /s" of the same tree written to a file, timed in the same run; then the time per entry
// and the peak private bytes of this process after each size (the list is streamed, so the peak must
// not grow with the tree).
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "fileops/DirectoryWalk.h"
#include "fileops/FilesRefactor.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void MakeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, "0123456789", DWORD(path.size() % 10), &written, nullptr);
  CloseHandle(file);
}

// The tree's entry count (files and folders below the root).
size_t MakeTree(const std::wstring& root, size_t entries) {
  size_t made = 0;
  CreateDirectoryW(root.c_str(), nullptr);
  std::wstring big = root + L"\\big";
  CreateDirectoryW(big.c_str(), nullptr);
  ++made;
  for (size_t i = 0; i < entries / 5; ++i, ++made) MakeFile(big + L"\\photo_" + std::to_wstring(i) + L".jpg");
  std::wstring nest = root + L"\\nest";
  CreateDirectoryW(nest.c_str(), nullptr);
  ++made;
  for (size_t d = 0; made < entries; ++d) {
    std::wstring outer = nest + L"\\album " + std::to_wstring(d);
    CreateDirectoryW(outer.c_str(), nullptr);
    ++made;
    for (size_t e = 0; e < 10 && made < entries; ++e) {
      std::wstring inner = outer + L"\\day " + std::to_wstring(e);
      CreateDirectoryW(inner.c_str(), nullptr);
      ++made;
      for (size_t f = 0; f < 99 && made < entries; ++f, ++made) MakeFile(inner + L"\\note " + std::to_wstring(f) + L".txt");
    }
  }
  return made;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

// Runs the command line and waits for it; its elapsed time.
double TimeProgram(std::wstring commandLine) {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  Clock::time_point start = Clock::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  double ms = MsSince(start);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ms;
}

double PeakPrivateMiB() {
  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  return memory.PeakPagefileUsage / 1048576.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<size_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(size_t(_wtoi(argv[i])));
  if (sizes.empty()) sizes = {1000, 10000, 100000};

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = std::wstring(temp) + L"brivane-list-benchmark";
  RemoveTree(base);
  CreateDirectoryW(base.c_str(), nullptr);

  FilesRefactor engine;
  printf("entries    list ms  us/entry   dir /s ms  us/entry  list/dir  peak private MiB\n");
  double firstPerEntry = 0, lastPerEntry = 0;
  for (size_t size : sizes) {
    std::wstring root = base + L"\\tree" + std::to_wstring(size);
    size_t entries = MakeTree(root, size);
    std::wstring list = base + L"\\list" + std::to_wstring(size) + L".html";
    std::wstring dirOut = base + L"\\dir" + std::to_wstring(size) + L".txt";

    // The list once before timing, so that both timed runs find the folders as the other did.
    OperationResult warm;
    engine.MakeListOfFiles(warm, {root + L"\\big", root + L"\\nest"}, list, true, false, true, true, true);
    DeleteFileW(list.c_str());

    double dirMs = TimeProgram(L"cmd /c dir /s \"" + root + L"\" > \"" + dirOut + L"\"");
    OperationResult result;
    Clock::time_point start = Clock::now();
    engine.MakeListOfFiles(result, {root + L"\\big", root + L"\\nest"}, list, true, false, true, true, true);
    double listMs = MsSince(start);
    if (result.status != 0) printf("list status %d\n", result.status);

    double perEntry = listMs * 1000 / double(entries);
    if (firstPerEntry == 0) firstPerEntry = perEntry;
    lastPerEntry = perEntry;
    printf("%7zu %10.0f %9.2f %11.0f %9.2f %9.2f %17.1f\n", entries, listMs, perEntry, dirMs,
           dirMs * 1000 / double(entries), listMs / dirMs, PeakPrivateMiB());
    fflush(stdout);
    RemoveTree(root);
    DeleteFileW(list.c_str());
    DeleteFileW(dirOut.c_str());
  }
  if (sizes.size() > 1) printf("per-entry time, largest over smallest tree: %.2f\n", lastPerEntry / firstPerEntry);
  RemoveTree(base);
  return 0;
}
