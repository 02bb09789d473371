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
    const std::wstring& whole = includeExtension ? parts.name : parts.title;
    // The count is widened with its sign and compared unsigned: a negative count never cuts anything.
    uint64_t cut = uint64_t(int64_t(count));
    if (uint64_t(whole.size()) <= cut) {
      Keep(path, true);
    } else {
      std::wstring name = fromBeginning ? whole.substr(size_t(cut)) : whole.substr(0, whole.size() - size_t(cut));
      if (!includeExtension && !parts.extension.empty()) name += L"." + parts.extension;
      if (given.count(parts.folder + L"\\" + name))
        Keep(path, true);
      else
        Propose(path, parts.folder, name);
    }
    given.insert(newPaths.back());
  }
  return FinishWalk();
}
