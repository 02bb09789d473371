#include "fileops/FileMachine.h"
#include "rename/FilesRenamerStyles.h"
#include "rename/NameRules.h"

FilesRenamerAppend::FilesRenamerAppend(HWND owner, const PathList& paths, const std::wstring& prefix,
                                       const std::wstring& postfix)
    : FilesRenamer(owner, paths), prefix(prefix), postfix(postfix) {}

int FilesRenamerAppend::GenerateNewNames() {
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    Propose(path, parts.folder, JoinName(prefix + parts.title + postfix, parts.extension));
  }
  return FinishWalk();
}
