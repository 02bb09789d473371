#include <unordered_set>

#include "fileops/FileMachine.h"
#include "rename/FilesRenamerStyles.h"
#include "rename/NameRules.h"

FilesRenamerMakeSameName::FilesRenamerMakeSameName(HWND owner, const PathList& paths,
                                                   const std::wstring& nameGivingPath)
    : FilesRenamer(owner, paths), nameGivingPath(nameGivingPath) {}

int FilesRenamerMakeSameName::GenerateNewNames() {
  const std::wstring stem = SplitPath(nameGivingPath).title;
  // The name-giving file is compared as the file system does: IMG_1.JPG is taken when IMG_1.jpg is
  // proposed, and it must never be offered for the recycle bin.
  const std::wstring nameGivingKey = PathKey(nameGivingPath);
  std::unordered_set<std::wstring> moved(movedPaths.begin(), movedPaths.end());
  std::unordered_set<std::wstring> given;
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    std::wstring candidate = JoinPath(parts.folder, stem, parts.extension);
    if (candidate == path)
      Keep(path, false);
    else if (PathKey(candidate) == nameGivingKey || given.count(candidate) || moved.count(candidate))
      Keep(path, true);
    else
      Propose(path, parts.folder, JoinName(stem, parts.extension));
    given.insert(newPaths.back());
  }
  return FinishWalk();
}
