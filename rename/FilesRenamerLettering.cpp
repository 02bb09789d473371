#include "rename/FilesRenamerStyles.h"

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
  return GiveEachANewStem([this](const PathParts&) { return TakeLetters(); });
}

FilesRenamerAlphabetizeAppend::FilesRenamerAlphabetizeAppend(HWND owner, const PathList& paths,
                                                             const std::wstring& prefix, const std::wstring& postfix)
    : FilesRenamerAlphabetize(owner, paths), prefix(prefix), postfix(postfix) {}

int FilesRenamerAlphabetizeAppend::GenerateNewNames() {
  return GiveEachANewStem([this](const PathParts&) { return prefix + TakeLetters() + postfix; });
}
