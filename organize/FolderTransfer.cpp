#include "organize/FolderTransfer.h"

#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "organize/OrganizeCommon.h"

void FolderTransfer::Copy(OperationResult& result, const PathList& selection, const std::wstring& destination) {
  result.kind = kind::Copy;
  if (RefuseIntoItself(result, selection, destination, L"copied")) return;
  bool ready = CreateDestination(owner_, destination,
                                 L"FilesRefactor::CopyFiles: Dest directory already exists... No problem it's created.");
  uint32_t failed = 0;
  for (const std::wstring& path : selection) {
    // The shell is given the folder to copy into: named after the item, an existing folder of that name
    // would receive the item inside it instead of merging with it.
    if (!ready || !CopyFileOperation(owner_, path, destination, true, false, true).execute()) ++failed;
  }
  result.Summarize(selection.size(), failed, L" files or folders failed to copy completely.");
}

void FolderTransfer::Move(OperationResult& result, const PathList& selection, const std::wstring& destination) {
  result.kind = kind::Move;
  if (RefuseIntoItself(result, selection, destination, L"moved")) return;
  MoveInto(result, selection, destination);
}

bool FolderTransfer::RefuseIntoItself(OperationResult& result, const PathList& selection,
                                      const std::wstring& destination, const wchar_t* verb) {
  for (const std::wstring& path : selection) {
    if (!IsFolderItem(Attributes(path)) || !IsSameOrInside(destination, path)) continue;
    trace::Write(L"FilesRefactor::", result.kind == kind::Copy ? L"CopyFiles" : L"MoveFiles",
                 L": Destination inside the selected folder ", path);
    result.Stop(status::IntoItself,
                std::wstring(L"A folder can't be ") + verb + L" into itself or into one of its own subfolders.",
                selection.size());
    return true;
  }
  return false;
}

void FolderTransfer::MoveInto(OperationResult& result, const PathList& list, const std::wstring& destination) {
  result.kind = kind::Move;
  bool ready = CreateDestination(owner_, destination, L"FilesRefactor::MoveFiles: Dest directory already exists... No problem");
  DWORD target = Attributes(destination);
  if (target != INVALID_FILE_ATTRIBUTES && !(target & FILE_ATTRIBUTE_DIRECTORY)) {
    trace::Write(L"FilesRefactor::MoveFiles: Not a directory!");
    result.Stop(status::DestinationIsFile, kDestinationIsFile, list.size());
    return;
  }
  uint32_t failed = 0;
  for (const std::wstring& path : list) {
    DWORD attributes = Attributes(path);
    bool moved = false;
    if (!ready) {
      trace::Write(L"FilesRefactor::MoveFiles: No destination folder: ", destination);
    } else if (attributes == INVALID_FILE_ATTRIBUTES) {
      trace::Write(L"FilesRefactor::MoveFiles: File dosen't exist: ", path);
    } else if (IsFolderItem(attributes) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      moved = MoveFolder(path, ChildPath(destination, NameAfterSlash(path)));
    } else if (OpenElsewhere(path)) {
      trace::Write(L"FilesRefactor::MoveFiles: File In Use!");
    } else {
      // A file, or a junction or link moved as the link itself.
      moved = MoveFileOperation(owner_, path, destination, true, false, true).execute();
    }
    if (!moved) ++failed;
  }
  result.Summarize(list.size(), failed, L" files or folders failed to move completely.");
}

bool FolderTransfer::MoveFolder(const std::wstring& folder, const std::wstring& destination) {
  PathList entries;
  MakeListInDir(folder, entries);
  OperationResult inner;
  MoveInto(inner, entries, destination);
  // Only a folder known to be empty goes: the delete below is outright, without the recycle bin.
  if (inner.status != status::Success || !IsEmptyFolder(folder)) return false;
  return DeleteFileOperation(owner_, folder, true, false).execute();
}
