#pragma once
// Extract to a folder (gather the selection into a new or existing folder beside it) and extract from a
// folder (empty a folder into its parent and offer to delete it).
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

class Extractor {
 public:
  explicit Extractor(const FilesRefactor& engine) : engine_(engine) {}

  // Gathers the selection into folder\name through a scratch folder beside it, so that the target appears
  // at once with everything in it. When the last step fails, the items go back where they were.
  void ToFolder(OperationResult& result, const PathList& selection, const std::wstring& folder,
                const std::wstring& name);
  void FromFolder(OperationResult& result, const std::wstring& folder);
  // Every selected folder in turn; an unexpected failure stops the batch.
  void FromFolders(OperationResult& result, const PathList& selection);

 private:
  // Moves what is left in the scratch folder back to the places its items came from and removes it when
  // that empties it. The selected paths tell where each name came from.
  void PutBack(const std::wstring& scratch, const PathList& moved);

  const FilesRefactor& engine_;
};
