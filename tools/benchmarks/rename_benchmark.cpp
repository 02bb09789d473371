// Time per file of an autonumbering rename of 1,000, 5,000 and 20,000 files in one folder (or of the
// sizes given on the command line). Beside it, the cost of one plain rename in the same folder: under Wine
// every name lookup in a folder reads the whole folder, so the platform's own cost grows with the folder;
// the ratio of the two is what the engine adds, and must stay flat.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Trace.h"
#include "fileops/FileOperation.h"
#include "fileops/FilesRefactor.h"

namespace {

using Clock = std::chrono::steady_clock;

// Elapsed and processor time: the machine is shared, and the processor time of this process (where Wine
// does its folder scans) is the steadier of the two.
struct Cost {
  double wallMs = 0;
  double cpuMs = 0;
};

double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

class Stopwatch {
 public:
  Cost Per(double units) const {
    return {std::chrono::duration<double, std::milli>(Clock::now() - wall_).count() / units, (CpuMs() - cpu_) / units};
  }

 private:
  Clock::time_point wall_ = Clock::now();
  double cpu_ = CpuMs();
};

void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileW((folder + L"\\" + data.cFileName).c_str());
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

size_t CountEntries(const std::wstring& folder, size_t& scratch) {
  size_t count = 0;
  scratch = 0;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    ++count;
    if (name.rfind(L"mrv", 0) == 0) ++scratch;
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return count;
}

// The platform's cost of one rename in the folder: a spare file renamed back and forth.
Cost PlainRename(const std::wstring& folder) {
  std::wstring a = folder + L"\\spare-a.bin", b = folder + L"\\spare-b.bin";
  CloseHandle(CreateFileW(a.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  const int rounds = 25;
  Stopwatch watch;
  for (int i = 0; i < rounds; ++i) {
    RenameFileOperation(nullptr, a, b, false, true).execute();
    RenameFileOperation(nullptr, b, a, false, true).execute();
  }
  Cost cost = watch.Per(2 * rounds);
  DeleteFileW(a.c_str());
  return cost;
}

void Measure(const std::wstring& root, int count) {
  std::wstring folder = root + L"\\n" + std::to_wstring(count);
  RemoveFolder(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  PathList files;
  for (int i = 0; i < count; ++i) {
    files.push_back(folder + L"\\photo" + std::to_wstring(i) + L".JPG");
    CloseHandle(CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  Cost before = PlainRename(folder);

  OperationResult result;
  Stopwatch watch;
  FilesRefactor().RenameAutonumber(result, files, 1);
  Cost batch = watch.Per(count);

  // Measured again afterwards: the churn of the batch leaves the folder's own index larger.
  Cost after = PlainRename(folder);
  size_t scratch = 0, entries = CountEntries(folder, scratch);
  bool complete = result.status == 0 && entries == size_t(count) && scratch == 0 &&
                  GetFileAttributesW((folder + L"\\" + std::to_wstring(count) + L".jpg").c_str()) !=
                      INVALID_FILE_ATTRIBUTES;
  Cost plain{(before.wallMs + after.wallMs) / 2, (before.cpuMs + after.cpuMs) / 2};
  printf("%6d files: %7.1f s; per file %7.2f ms (%6.2f ms CPU); one plain rename in that folder %6.2f ms "
         "(%6.2f ms CPU); per file / plain rename %5.2f (CPU %5.2f)  %s\n",
         count, batch.wallMs * count / 1000, batch.wallMs, batch.cpuMs, plain.wallMs, plain.cpuMs,
         batch.wallMs / plain.wallMs, batch.cpuMs / plain.cpuMs, complete ? "all renamed" : "INCOMPLETE");
  fflush(stdout);
  RemoveFolder(folder);
}

void Quiet(const std::string&) {}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 5000, 20000};

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"brivane-rename-benchmark";
  CreateDirectoryW(root.c_str(), nullptr);
  trace::SetSink(Quiet);  // one trace line per file operation would dominate the timing
  for (int size : sizes) Measure(root, size);
  RemoveDirectoryW(root.c_str());
  return 0;
}
