#include "fileops/DirectoryWalk.h"

#include "base/FindHandle.h"
#include "base/Trace.h"

void MakeListInDir(const std::wstring& folder, PathList& list) {
  WIN32_FIND_DATAW data;
  FindHandle search(folder + L"\\*", data);
  if (!search.valid()) {
    trace::Write(L"MakeListInDir: Error trying FindFirstFile");
    return;
  }
  do {
    if (!IsDotEntry(data.cFileName)) list.push_back(folder + L"\\" + data.cFileName);
  } while (search.next(data));
  if (GetLastError() != ERROR_NO_MORE_FILES) trace::Write(L"Unexpected Error.");
}

namespace {

// Adds every entry at any depth below the folder; false when a search fails.
bool CountBelow(const std::wstring& folder, int64_t& count) {
  WIN32_FIND_DATAW data;
  FindHandle search(folder + L"\\*", data);
  if (!search.valid()) {
    trace::Write(L"calcTotalFiles: Error trying FindFirstFile");
    return false;
  }
  do {
    if (IsDotEntry(data.cFileName)) continue;
    ++count;
    bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (folderEntry && !link && !CountBelow(folder + L"\\" + data.cFileName, count)) return false;
  } while (search.next(data));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    trace::Write(L"Unexpected Error.");
    return false;
  }
  return true;
}

}  // namespace

int64_t CalcTotalFiles(HWND, const PathList& list, int64_t startCount) {
  int64_t count = startCount;
  for (const std::wstring& path : list) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      trace::Write(L"CalcTotalFiles: File doesn't exist: ", path);
      continue;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      ++count;
    } else if (!CountBelow(path, count)) {
      return -1;
    }
  }
  return count;
}

bool BrivaneListSorter::compareFilePaths(const std::wstring& a, const std::wstring& b) {
  WIN32_FIND_DATAW first, second;
  if (!FindHandle::Open(a, first)) {
    trace::Write(L"BrivaneListSorter::compareFilePaths: FindFirstFile failed for first.");
    return false;
  }
  if (!FindHandle::Open(b, second)) {
    trace::Write(L"BrivaneListSorter::compareFilePaths: FindFirstFile failed for second.");
    return false;
  }
  return CompareFileTime(&first.ftCreationTime, &second.ftCreationTime) < 0;
}
