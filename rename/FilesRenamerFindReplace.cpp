#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "rename/FilesRenamerStyles.h"
#include "rename/NameRules.h"

FilesRenamerFindReplace::FilesRenamerFindReplace(HWND owner, const PathList& paths, const std::wstring& search,
                                                 const std::wstring& replacement)
    : FilesRenamer(owner, paths), search(search), replacement(replacement) {}

int FilesRenamerFindReplace::GenerateNewNames() {
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    std::wstring stem = parts.title;
    // An empty search text would match everywhere and never end.
    size_t at = search.empty() ? std::wstring::npos : stem.find(search);
    if (at == std::wstring::npos) {
      trace::Write(L"FilesRenamerFindReplace::GenerateNewNames: Can't find the search criteria for : ", path);
      Keep(path, false);
      continue;
    }
    // Search on after the inserted text, so a replacement that holds the search text is not scanned again.
    for (; at != std::wstring::npos; at = stem.find(search, at + replacement.size())) stem.replace(at, search.size(), replacement);
    Propose(path, parts.folder, JoinName(stem, parts.extension));
  }
  return FinishWalk();
}
