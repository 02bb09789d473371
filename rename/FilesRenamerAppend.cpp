#include "rename/FilesRenamerStyles.h"

FilesRenamerAppend::FilesRenamerAppend(HWND owner, const PathList& paths, const std::wstring& prefix,
                                       const std::wstring& postfix)
    : FilesRenamer(owner, paths), prefix(prefix), postfix(postfix) {}

int FilesRenamerAppend::GenerateNewNames() {
  return GiveEachANewStem([this](const PathParts& parts) { return prefix + parts.title + postfix; });
}
