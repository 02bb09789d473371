#include "fileops/DirectoryWalk.h"

#include "base/FindHandle.h"
#include "base/Trace.h"

bool IsLink(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring LongPathForm(const std::wstring& path) {
  // Below MAX_PATH less room for "\*" or a short name, the plain form is what every caller shows.
  if (path.size() < MAX_PATH - 12 || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;  // a relative path has no long form
}

std::wstring ChildPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

void MakeListInDir(const std::wstring& folder, PathList& list) {
  WIN32_FIND_DATAW data;
  FindHandle search(LongPathForm(folder + L"\\*"), data);
  if (!search.valid()) {
    trace::Write(L"MakeListInDir: Error trying FindFirstFile");
    return;
  }
  do {
    if (!IsDotEntry(data.cFileName)) list.push_back(folder + L"\\" + data.cFileName);
  } while (search.next(data));
  if (GetLastError() != ERROR_NO_MORE_FILES) trace::Write(L"Unexpected Error.");
}

bool IsEmptyFolder(const std::wstring& folder) {
  DWORD attributes = GetFileAttributesW(LongPathForm(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  WIN32_FIND_DATAW data;
  FindHandle search(LongPathForm(folder + L"\\*"), data);
  if (!search.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive root lists no "." or ".."
  do {
    if (!IsDotEntry(data.cFileName)) return false;
  } while (search.next(data));
  return GetLastError() == ERROR_NO_MORE_FILES;
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
