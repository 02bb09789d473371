#pragma once
// The two layouts of a list of files, text and HTML, as the lines they write for each part of the walk:
// the head, the selected items, and one section per folder below them.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "lists/ListWriter.h"

// One row: a selected item or an entry of a folder.
struct ListEntry {
  std::wstring text;  // the name, or the full path
  bool known = false;  // its details could be read
  bool folder = false;
  FILETIME created{};
  FILETIME modified{};
  uint64_t size = 0;  // a file's bytes, or a folder's direct entries
};

// The counts of the HTML statistics block.
struct ListStatistics {
  uint64_t selectedFiles = 0;
  uint64_t selectedFileBytes = 0;
  uint64_t selectedFolders = 0;
  uint64_t selectedFolderEntries = 0;
  // At any depth, the selected items included; only with subfolders.
  uint64_t totalFiles = 0;
  uint64_t totalBytes = 0;
  uint64_t totalFolders = 0;
  uint64_t totalEntries = 0;
  uint64_t subfolders = 0;  // the folders below the selected ones
};

struct ListOptions {
  bool detailed = false;
  bool fullPath = false;
  bool includeSubfolders = false;
  bool indent = false;
  bool html = false;
};

class ListFormat {
 public:
  virtual ~ListFormat() = default;

  virtual void Begin(ListWriter& out, const ListStatistics& statistics) = 0;
  virtual void SelectedItem(ListWriter& out, const ListEntry& entry) = 0;
  virtual void EndSelected(ListWriter& out) = 0;
  virtual void BeginSection(ListWriter& out, int level, const std::wstring& folder) = 0;
  virtual void SectionItem(ListWriter& out, int level, const ListEntry& entry) = 0;
  virtual void EndSection(ListWriter& out, int level) = 0;
  virtual void End(ListWriter& out) = 0;
};

std::unique_ptr<ListFormat> MakeListFormat(const ListOptions& options);

// The text with "&", "<" and ">" written as entities, so that a page shows a name as it is.
std::wstring HtmlText(const std::wstring& text);
// A quotient in the form "%1.2lf" prints it; 0 parts give 0.
std::wstring AverageText(uint64_t total, uint64_t parts);
