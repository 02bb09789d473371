#include <unordered_set>

#include "fileops/FileMachine.h"
#include "rename/FilesRenamerStyles.h"
#include "rename/NameRules.h"

FilesRenamerTruncate::FilesRenamerTruncate(HWND owner, const PathList& paths, int32_t count, bool fromBeginning,
                                           bool includeExtension)
    : FilesRenamer(owner, paths), count(count), fromBeginning(fromBeginning), includeExtension(includeExtension) {}

int FilesRenamerTruncate::GenerateNewNames() {
  std::unordered_set<std::wstring> given;
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    std::optional<std::wstring> name = TruncatedName(parts, count, fromBeginning, includeExtension);
    if (!name || given.count(parts.folder + L"\\" + *name))
      Keep(path, true);
    else
      Propose(path, parts.folder, *name);
    given.insert(newPaths.back());
  }
  return FinishWalk();
}
