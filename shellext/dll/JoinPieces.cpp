#include "shellext/dll/JoinPieces.h"

#include "base/ParentFolder.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "split/SplitJoin.h"

namespace {

bool IsPieceExtension(const std::wstring& extension) {
  const std::wstring prefix = L"qxs";
  if (extension.size() <= prefix.size() || extension.compare(0, prefix.size(), prefix) != 0) return false;
  for (size_t i = prefix.size(); i < extension.size(); ++i)
    if (extension[i] < L'0' || extension[i] > L'9') return false;
  return true;
}

}  // namespace

PathList JoinSelectionFor(const std::wstring& piece, const PathList& listing) {
  PathList selection{piece};
  const std::wstring base = PieceBase(piece);
  for (const std::wstring& path : listing) {
    if (path == piece) continue;
    PathParts parts = SplitPath(path);
    if (parts.pathWithoutExtension == base && IsPieceExtension(parts.extension)) selection.push_back(path);
  }
  return selection;
}

PathList JoinSelectionBeside(const std::wstring& piece) {
  PathList listing;
  MakeListInDir(ParentFolder(piece), listing);
  return JoinSelectionFor(piece, listing);
}
