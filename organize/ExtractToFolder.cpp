#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "fileops/ScratchNames.h"
#include "organize/Extractor.h"
#include "organize/OrganizeCommon.h"

void Extractor::ToFolder(OperationResult& result, const PathList& selection, const std::wstring& folder,
                         const std::wstring& name) {
  result.kind = kind::ExtractToFolder;
  const size_t count = selection.size();
  const std::wstring target = ChildPath(folder, name);
  DWORD existing = Attributes(target);
  if (existing != INVALID_FILE_ATTRIBUTES) {
    if (!(existing & FILE_ATTRIBUTE_DIRECTORY)) {
      trace::Write(L"FilesRefactor::ExtractFilesToFolder: Not a directory: ", target);
      return result.Stop(status::DestinationIsFile, kDestinationIsFile, count);
    }
    trace::Write(L"Directory already exist.");
    if (engine_.Ask(L"Directory already exist.\nDo you want to extract files to the existing directory?",
                    L"Extract Files", MB_YESNO | MB_ICONQUESTION, 1) != IDYES) {
      trace::Write(L"FilesRefactor::ExtractFilesToFolder: User stopped operation");
      return result.Stop(status::UserSaidNo, L"", count);
    }
  }

  const std::wstring scratch = ScratchNames().ReserveFolder(folder);
  if (scratch.empty()) {
    trace::Write(L"FilesRefactor::ExtractFilesToFolder: GetTempFileName failed!");
    return result.Stop(status::Unexpected, kUnexpectedError, count);
  }
  trace::Write(L"Temp destPath is : ", scratch);
  if (!selection.empty()) trace::Write(L"First file is : ", selection.front());

  PathList present;
  for (const std::wstring& path : selection) {
    if (ItemExists(path))
      present.push_back(path);
    else
      trace::Write(L"FilesRefactor::ExtractFilesToFolder: File dosen't exist: ", path);
  }
  if (!present.empty()) {
    MoveFileOperation gather(engine_.owner, present.front(), scratch, true, true, true);
    gather.extraSources.assign(present.begin() + 1, present.end());
    gather.execute();
  }
  // What the shell moved: gone from its place and arrived in the scratch folder.
  PathList moved;
  for (const std::wstring& path : present)
    if (!ItemExists(path) && ItemExists(ChildPath(scratch, NameAfterSlash(path)))) moved.push_back(path);

  if (IsEmptyFolder(scratch)) {
    DeleteFileOperation(engine_.owner, scratch, false, false).execute();
    return result.Stop(status::SomeFailed, kExtractIncomplete, count);
  }

  bool placed;
  if (!ItemExists(target)) {
    placed = RenameFileOperation(engine_.owner, scratch, target, false, false).execute();
  } else {
    // Into the existing folder, folders merging with folders of their name. The shell asks before it
    // replaces one of the files already there.
    PathList entries;
    MakeListInDir(scratch, entries);
    MoveFileOperation merge(engine_.owner, L"", target, true, false, true);
    merge.extraSources = entries;
    placed = merge.execute() && IsEmptyFolder(scratch);
    if (placed) DeleteFileOperation(engine_.owner, scratch, false, false).execute();
  }
  if (!placed) {
    trace::Write(L"FilesRefactor::ExtractFilesToFolder: Could not place the items in ", target);
    PutBack(scratch, moved);
  }

  // Each selected item that now stands in the target counts as extracted.
  uint32_t failed = 0;
  for (const std::wstring& path : selection)
    if (!ItemExists(ChildPath(target, NameAfterSlash(path))) || ItemExists(path)) ++failed;
  if (failed == 0 && placed) {
    result.status = status::Success;
    result.message.clear();
    result.succeeded = uint32_t(count);
    result.failed = 0;
    result.outputs = {target};
    return;
  }
  result.status = status::SomeFailed;
  result.message = kExtractIncomplete;
  result.failed = failed;
  result.succeeded = uint32_t(count) - failed;
}

void Extractor::PutBack(const std::wstring& scratch, const PathList& moved) {
  for (const std::wstring& original : moved) {
    std::wstring parked = ChildPath(scratch, NameAfterSlash(original));
    if (!ItemExists(parked) || ItemExists(original)) continue;
    if (!MoveFileOperation(engine_.owner, parked, SplitPath(original).folder, true, true, true).execute())
      trace::Write(L"FilesRefactor::ExtractFilesToFolder: Could not put back ", original);
  }
  if (IsEmptyFolder(scratch))
    DeleteFileOperation(engine_.owner, scratch, false, false).execute();
  else
    trace::Write(L"FilesRefactor::ExtractFilesToFolder: Items left in ", scratch);
}
