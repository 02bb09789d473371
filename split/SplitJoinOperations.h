#pragma once
// The split and join operations behind FilesRefactor::SplitFile and JoinFiles
// (split/SplitJoinOperations.cpp), working through the engine's owner window and progress.
#include <cstdint>
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

class FileSplitter {
 public:
  explicit FileSplitter(const FilesRefactor& engine) : engine_(engine) {}
  void SplitFile(OperationResult& result, const std::wstring& path, uint64_t splitSize);

 private:
  const FilesRefactor& engine_;
};

class PieceJoiner {
 public:
  explicit PieceJoiner(const FilesRefactor& engine) : engine_(engine) {}
  void JoinFiles(OperationResult& result, const PathList& selection);

 private:
  const FilesRefactor& engine_;
};
