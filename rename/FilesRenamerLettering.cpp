#include "fileops/FileMachine.h"
#include "rename/FilesRenamerStyles.h"
#include "rename/NameRules.h"

FilesRenamerAlphabetize::FilesRenamerAlphabetize(HWND owner, const PathList& paths) : FilesRenamer(owner, paths) {}

std::wstring FilesRenamerAlphabetize::TakeLetters() {
  std::wstring letters(size_t(repeatCount > 0 ? repeatCount : 1), currentLetter);
  if (currentLetter == lastLetter) {
    ++repeatCount;
    currentLetter = firstLetter;
  } else {
    ++currentLetter;
  }
  return letters;
}

int FilesRenamerAlphabetize::GenerateNewNames() {
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    Propose(path, parts.folder, JoinName(TakeLetters(), parts.extension));
  }
  return FinishWalk();
}

FilesRenamerAlphabetizeAppend::FilesRenamerAlphabetizeAppend(HWND owner, const PathList& paths,
                                                             const std::wstring& prefix, const std::wstring& postfix)
    : FilesRenamerAlphabetize(owner, paths), prefix(prefix), postfix(postfix) {}

int FilesRenamerAlphabetizeAppend::GenerateNewNames() {
  for (const std::wstring& path : movedPaths) {
    PathParts parts = SplitPath(path);
    Propose(path, parts.folder, JoinName(prefix + TakeLetters() + postfix, parts.extension));
  }
  return FinishWalk();
}
