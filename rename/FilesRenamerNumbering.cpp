#include "rename/FilesRenamerStyles.h"

FilesRenamerAutonumbering::FilesRenamerAutonumbering(HWND owner, const PathList& paths, int32_t startNumber)
    : FilesRenamer(owner, paths), nextNumber(startNumber) {}

std::wstring FilesRenamerAutonumbering::TakeNumber() {
  std::wstring text = NumberText(nextNumber);
  nextNumber = int32_t(uint32_t(nextNumber) + 1u);  // wraps instead of overflowing
  return text;
}

int FilesRenamerAutonumbering::GenerateNewNames() {
  return GiveEachANewStem([this](const PathParts&) { return TakeNumber(); });
}

FilesRenamerAutonumberAppend::FilesRenamerAutonumberAppend(HWND owner, const PathList& paths, int32_t startNumber,
                                                           const std::wstring& prefix, const std::wstring& postfix)
    : FilesRenamerAutonumbering(owner, paths, startNumber), prefix(prefix), postfix(postfix) {}

int FilesRenamerAutonumberAppend::GenerateNewNames() {
  return GiveEachANewStem([this](const PathParts&) { return prefix + TakeNumber() + postfix; });
}
