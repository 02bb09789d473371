#include "lists/FileLister.h"

#include <vector>

#include "base/FindHandle.h"
#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"

namespace {

bool IsFolder(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsLinkEntry(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
uint64_t FileBytes(const WIN32_FIND_DATAW& data) { return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow; }

// Calls visit(data) for each direct entry of the folder; false when the folder cannot be searched.
template <class Visit>
bool ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  FindHandle search(LongPathForm(folder + L"\\*"), data);
  if (!search.valid()) return false;
  do {
    if (!IsDotEntry(data.cFileName)) visit(data);
  } while (search.next(data));
  return true;
}

// A folder's direct entries; a link is never searched and counts none.
uint64_t DirectEntries(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
  if (IsLinkEntry(data)) return 0;
  uint64_t count = 0;
  ForEachEntry(folder, [&](const WIN32_FIND_DATAW&) { ++count; });
  return count;
}

// Adds everything below the folder to the totals; returns the folder's direct entry count.
uint64_t CountBelow(const std::wstring& folder, ListStatistics& statistics) {
  uint64_t direct = 0;
  ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
    ++direct;
    if (!IsFolder(data)) {
      ++statistics.totalFiles;
      statistics.totalBytes += FileBytes(data);
      return;
    }
    ++statistics.totalFolders;
    ++statistics.subfolders;
    if (!IsLinkEntry(data)) statistics.totalEntries += CountBelow(ChildPath(folder, data.cFileName), statistics);
  });
  return direct;
}

class Walk {
 public:
  Walk(ListWriter& out, ListFormat& format, const ListOptions& options) : out_(out), format_(format), options_(options) {}

  ListEntry EntryFor(const std::wstring& path, const std::wstring& name, const WIN32_FIND_DATAW& data) const {
    ListEntry entry;
    entry.text = options_.fullPath ? path : name;
    entry.known = true;
    entry.folder = IsFolder(data);
    entry.created = data.ftCreationTime;
    entry.modified = data.ftLastWriteTime;
    if (!entry.folder)
      entry.size = FileBytes(data);
    else if (options_.detailed)
      entry.size = DirectEntries(path, data);
    return entry;
  }

  // The folder's section and, after it, the sections of its subfolders.
  void Section(const std::wstring& folder, int level) {
    format_.BeginSection(out_, level, folder);
    std::vector<std::wstring> subfolders;
    bool searched = ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
      std::wstring path = ChildPath(folder, data.cFileName);
      format_.SectionItem(out_, level, EntryFor(path, data.cFileName, data));
      if (IsFolder(data) && !IsLinkEntry(data)) subfolders.push_back(std::move(path));
    });
    if (!searched) trace::Write(L"MakeListInDir: Error trying FindFirstFile");
    format_.EndSection(out_, level);
    for (const std::wstring& subfolder : subfolders) Section(subfolder, level + 1);
  }

 private:
  ListWriter& out_;
  ListFormat& format_;
  const ListOptions& options_;
};

}  // namespace

ListStatistics GatherStatistics(const PathList& selection, bool includeSubfolders) {
  ListStatistics statistics;
  for (const std::wstring& path : selection) {
    WIN32_FIND_DATAW data;
    if (!FindHandle::Open(LongPathForm(path), data)) continue;
    if (!IsFolder(data)) {
      ++statistics.selectedFiles;
      statistics.selectedFileBytes += FileBytes(data);
    } else {
      ++statistics.selectedFolders;
      ListStatistics below;
      uint64_t direct = includeSubfolders && !IsLinkEntry(data) ? CountBelow(path, below) : DirectEntries(path, data);
      statistics.selectedFolderEntries += direct;
      statistics.totalFiles += below.totalFiles;
      statistics.totalBytes += below.totalBytes;
      statistics.totalFolders += below.totalFolders;
      statistics.totalEntries += below.totalEntries;
      statistics.subfolders += below.subfolders;
    }
  }
  statistics.totalFiles += statistics.selectedFiles;
  statistics.totalBytes += statistics.selectedFileBytes;
  statistics.totalFolders += statistics.selectedFolders;
  statistics.totalEntries += statistics.selectedFolderEntries;
  return statistics;
}

void FileLister::Make(OperationResult& result, const PathList& selection, const std::wstring& target,
                      const ListOptions& options) {
  result.kind = kind::ListOfFiles;
  const size_t count = selection.size();
  if (GetFileAttributesW(LongPathForm(target).c_str()) != INVALID_FILE_ATTRIBUTES) {
    trace::Write(L"File already exist.");
    if (engine_.Ask(L"Target file already exist.\nDo you want to overwrite existing file?", L"List Of files",
                    MB_YESNO | MB_ICONQUESTION, 1) != IDYES) {
      trace::Write(L"FilesRefactor::MakeListOfFiles: User stopped operation");
      return result.Stop(status::UserSaidNo, L"", count);
    }
  }
  engine_.Report(1);

  ListStatistics statistics;
  if (options.html) statistics = GatherStatistics(selection, options.includeSubfolders);

  ListWriter out;
  if (!out.Create(target)) {
    trace::Write(L"FilesRefactor::MakeListOfFiles: error opening file");
    return result.Stop(status::Unexpected, kUnexpectedError, count);
  }
  std::unique_ptr<ListFormat> format = MakeListFormat(options);
  Walk walk(out, *format, options);
  format->Begin(out, statistics);

  // An item fails when its row, or with subfolders its folder's sections, could not be written.
  std::vector<bool> failed(count, false);
  std::vector<bool> walkInto(count, false);  // folders that get their sections, links never
  for (size_t i = 0; i < count; ++i) {
    const std::wstring& path = selection[i];
    std::wstring name = SplitPath(path).name;
    WIN32_FIND_DATAW data;
    if (FindHandle::Open(LongPathForm(path), data)) {
      walkInto[i] = IsFolder(data) && !IsLinkEntry(data);
      format->SelectedItem(out, walk.EntryFor(path, name, data));
    } else {
      trace::Write(L"FindFirstFile failed for ", path);
      format->SelectedItem(out, ListEntry{options.fullPath ? path : name});
    }
    std::wstring text = options.fullPath ? path : name;
    if (out.Flush()) {
      trace::Write(L"FilesRefactor::MakeListOfFilesL: Wrote: ", text, L" to file.");
    } else {
      trace::Write(L"FilesRefactor::MakeListOfFiles: Could not write", text, L" to file.");
      failed[i] = true;
    }
  }
  format->EndSelected(out);

  if (options.includeSubfolders) {
    for (size_t i = 0; i < count; ++i) {
      if (!walkInto[i]) continue;
      walk.Section(selection[i], 1);
      if (!out.Flush()) failed[i] = true;
    }
  }
  format->End(out);
  bool endWritten = out.Flush();

  uint32_t failures = 0;
  for (size_t i = 0; i < count; ++i) failures += (failed[i] || !endWritten) ? 1 : 0;
  result.outputs = {target};
  result.Summarize(count, failures, L" files or folders failed to complete.");
}
