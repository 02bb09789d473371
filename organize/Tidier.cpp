#include "organize/Tidier.h"

#include "atl/Handles.h"
#include "base/ParentFolder.h"
#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "organize/OrganizeCommon.h"

namespace {
// The folder above the item's own; empty when the item's folder is a root (a drive, a share) or there
// is none. A drive is named "C:\", since "C:" alone names the drive's current folder.
std::wstring FolderAbove(const std::wstring& path) {
  std::wstring own = ParentFolder(path);
  if (own.empty() || IsRootFolder(own)) return L"";
  std::wstring above = ParentFolder(own);
  if (!above.empty() && above.back() == L':') above += L'\\';
  return above;
}

bool IsEmptyItem(const std::wstring& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return IsEmptyFolder(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
         data.nFileSizeLow == 0;
}
}  // namespace

void Tidier::MoveUp(OperationResult& result, const PathList& selection) {
  result.kind = kind::ExtractToFolder;
  uint32_t failed = 0;
  for (const std::wstring& path : selection) {
    std::wstring above = FolderAbove(path);
    if (above.empty()) {
      trace::Write(L"FilesRefactor::MoveFilesUp: Nowhere to move up to: ", path);
      ++failed;
      continue;
    }
    if (!MoveFileOperation(engine_.owner, path, above, true, false, true).execute()) ++failed;
  }
  result.Summarize(selection.size(), failed,
                 L" files or folders failed to move up.\n\n(Are some of the files open?!)");
}

void Tidier::DeleteEmpty(OperationResult& result, const PathList& selection) {
  result.kind = kind::DeleteEmpty;
  const size_t count = selection.size();
  engine_.Report(1);
  const double step = count ? 100.0 / double(count) : 0;
  double position = 1 + step;
  for (const std::wstring& path : selection) {
    DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      trace::Write(L"FilesRefactor::DeleteZeroFiles: File dosen't exist: ", path);
    } else if (IsEmptyItem(path, attributes)) {
      if (OpenElsewhere(path)) {
        trace::Write(L"FilesRefactor::DeleteZeroFiles: File In Use!");
      } else {
        trace::Write(L"FilesRefactor::DeleteZeroFiles: Deleting file: ", path);
        if (!DeleteFileOperation(engine_.owner, path, false, true).execute()) {
          trace::Write(L"FilesRefactor::DeleteZeroFiles: Can't open file.");
          return result.Stop(status::Unexpected, kUnexpectedError, count);
        }
      }
    }
    engine_.Report(int32_t(position));
    position += step;
  }
  result.Summarize(count, 0, L"");
}

void Tidier::Touch(OperationResult& result, const PathList& selection) {
  result.kind = kind::Touch;
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME time;
  if (!SystemTimeToFileTime(&now, &time))
    return result.Stop(status::Unexpected, L"Unexpected error occured on SystemTimeToFileTime()", selection.size());
  uint32_t failed = 0;
  for (const std::wstring& path : selection) {
    // The items stay selected afterwards, folders (which keep their times) included.
    if (IsFolderItem(Attributes(path))) {
      result.outputs.push_back(path);
      continue;
    }
    UniqueFile file(CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !SetFileTime(file.get(), &time, &time, &time)) {
      trace::Write(L"FilesRefactor::Touch: Could not touch ", path);
      ++failed;
    } else {
      result.outputs.push_back(path);
    }
  }
  result.Summarize(selection.size(), failed,
                 L" files could not be touched.\n\n(Are some of the files read-only or open?!)");
}
