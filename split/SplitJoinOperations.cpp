// The split and join members of the operations object: each hands the work to its operation class.
#include "split/SplitJoinOperations.h"

void FilesRefactor::SplitFile(OperationResult& result, const std::wstring& path, uint64_t splitSize) {
  FileSplitter(*this).SplitFile(result, path, splitSize);
}

void FilesRefactor::JoinFiles(OperationResult& result, const PathList& selection) {
  PieceJoiner(*this).JoinFiles(result, selection);
}
