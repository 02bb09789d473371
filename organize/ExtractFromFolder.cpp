#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "organize/Extractor.h"
#include "organize/OrganizeCommon.h"

namespace {
const wchar_t kFilesOpen[] = L"\n\n(Are some of the files open?!)";

// The first name(k), k = 1, 2, ..., that is free both inside the folder and in its parent, where the
// entry is going.
std::wstring FreeName(const std::wstring& name, const std::wstring& folder, const std::wstring& parent) {
  for (int k = 1;; ++k) {
    std::wstring candidate = name + L"(" + std::to_wstring(k) + L")";
    if (!ItemExists(ChildPath(folder, candidate)) && !ItemExists(ChildPath(parent, candidate))) return candidate;
  }
}
}  // namespace

void Extractor::FromFolder(OperationResult& result, const std::wstring& folder) {
  DWORD attributes = Attributes(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    trace::Write(L"FilesRefactor::ExtractFilesFromFolder: Folder dosen't exist!");
    return result.Stop(status::NotFound, L"The given folder dosen't exist.", 1);
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    trace::Write(L"FilesRefactor::ExtractFilesFromFolder: a file was selected!");
    return result.Stop(status::NotAFolder, L"This operation can't be performed on files.\nPlease select a folder.", 1);
  }
  const PathParts parts = SplitPath(folder);
  const std::wstring& parent = parts.folder;
  trace::Write(L"Source folder: ", folder);
  trace::Write(L"Dest folder: ", parent);

  PathList entries;
  MakeListInDir(folder, entries);
  PathList outputs;
  for (const std::wstring& entry : entries) outputs.push_back(ChildPath(parent, NameAfterSlash(entry)));

  // An entry named like the folder would meet the folder itself in the parent: it moves under a free name.
  std::wstring renamedFrom, renamedTo;
  for (std::wstring& entry : entries) {
    std::wstring name = NameAfterSlash(entry);
    if (AsciiLower(name) != AsciiLower(parts.name)) continue;
    std::wstring free = FreeName(name, folder, parent);
    if (!RenameFileOperation(engine_.owner, entry, ChildPath(folder, free), false, true).execute())
      return result.Stop(status::Unexpected, kUnexpectedError + std::wstring(kFilesOpen), 1);
    renamedFrom = name;
    renamedTo = free;
    entry = ChildPath(folder, free);
    break;
  }

  bool moved = true;
  if (!entries.empty()) {
    MoveFileOperation move(engine_.owner, L"", parent, true, true, true);
    move.extraSources = entries;
    moved = move.execute();
  }
  if (!moved) {
    trace::Write(L"FilesRefactor::ExtractFilesFromFolder: MoveFileOperation failed!");
    if (!renamedTo.empty() && ItemExists(ChildPath(folder, renamedTo)))
      RenameFileOperation(engine_.owner, ChildPath(folder, renamedTo), ChildPath(folder, renamedFrom), false, true)
          .execute();
    return result.Stop(status::Unexpected, L"Some files failed to completely extract." + std::wstring(kFilesOpen), 1);
  }

  // The entry under a free name keeps it, unless the emptied folder goes and leaves its name to it.
  std::wstring renamedOutput = renamedTo.empty() ? L"" : ChildPath(parent, renamedTo);
  if (IsEmptyFolder(folder) &&
      engine_.Ask((L"Do you want to delete the folder: " + folder + L" ?").c_str(), L"Delete Folder",
                  MB_YESNO | MB_ICONQUESTION, 1) == IDYES) {
    trace::Write(L"Deleting folder: ", folder);
    if (!DeleteFileOperation(engine_.owner, folder, false, true).execute()) {
      trace::Write(L"FilesRefactor::ExtractFilesFromFolder: DeleteFileOperation failed!");
      return result.Stop(status::Unexpected, L"An unexpected error occured when trying to delete the folder.", 1);
    }
    if (!renamedTo.empty() && RenameFileOperation(engine_.owner, renamedOutput, folder, false, true).execute())
      renamedOutput.clear();
  }
  for (std::wstring& output : outputs)
    if (!renamedOutput.empty() && AsciiLower(NameAfterSlash(output)) == AsciiLower(renamedFrom)) output = renamedOutput;

  result.Summarize(1, 0, L"");
  result.outputs.insert(result.outputs.end(), outputs.begin(), outputs.end());
}

void Extractor::FromFolders(OperationResult& result, const PathList& selection) {
  result.kind = kind::ExtractFromFolder;
  uint32_t failed = 0;
  PathList outputs;
  for (const std::wstring& folder : selection) {
    OperationResult one;
    one.kind = kind::ExtractFromFolder;
    FromFolder(one, folder);
    if (one.status == status::Unexpected) {
      result = one;
      return;
    }
    if (one.status == status::Success)
      outputs.insert(outputs.end(), one.outputs.begin(), one.outputs.end());
    else
      ++failed;
  }
  result.Summarize(selection.size(), failed, L" folders failed to extract." + std::wstring(kFilesOpen));
  if (failed == 0) result.outputs = std::move(outputs);
}
