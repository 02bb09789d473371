#pragma once
// Move up, delete empty and touch: one pass over the selection each, no recursion.
#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

class Tidier {
 public:
  explicit Tidier(const FilesRefactor& engine) : engine_(engine) {}

  // Into the folder above the item's own. An item whose folder is a drive root has nowhere to go.
  void MoveUp(OperationResult& result, const PathList& selection);
  // Sends the empty files and folders to the recycle bin; skips items another program holds open.
  void DeleteEmpty(OperationResult& result, const PathList& selection);
  // Sets creation, last-access and last-write times of the files to the same moment; folders are left
  // as they are. Files that cannot be written (read-only, locked, gone) count as failed. The touched
  // files and the folders are the outputs, so that the view keeps them selected.
  void Touch(OperationResult& result, const PathList& selection);

 private:
  const FilesRefactor& engine_;
};
