#pragma once
// Writes the list of the selection: its head (and for HTML the statistics, gathered first in a pass of
// their own), one row per selected item, then with subfolders one section per folder below them, level
// by level. Rows take their details from the folder search that found them; the list is written as it
// goes, so what it holds in memory is the path being walked, never the list.
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"
#include "lists/ListFormat.h"

class FileLister {
 public:
  explicit FileLister(const FilesRefactor& engine) : engine_(engine) {}

  void Make(OperationResult& result, const PathList& selection, const std::wstring& target,
            const ListOptions& options);

 private:
  const FilesRefactor& engine_;
};

// The statistics block's counts for the selection. Links are counted, never entered.
ListStatistics GatherStatistics(const PathList& selection, bool includeSubfolders);
