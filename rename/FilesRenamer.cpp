#include "rename/FilesRenamer.h"

#include <shlwapi.h>

#include <unordered_map>
#include <utility>

#include "atl/Handles.h"
#include "base/Prompt.h"
#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "fileops/FileStream.h"
#include "fileops/FilesRefactor.h"
#include "rename/NameRules.h"
#include "rename/TemporaryNames.h"

namespace {

const wchar_t kOpenItems[] = L"Some of the files are open.\nCan't complete rename operation.";
const wchar_t kOverwriteQuestion[] =
    L"Some files already exist with some of the destination file names.\nDo you want to overwrite?!\n"
    L"(The existing files will be sent to the recycle bin)";

bool Move(HWND owner, const std::wstring& from, const std::wstring& to) {
  return RenameFileOperation(owner, from, to, false, true).execute();
}

// Whether a folder above the path is itself part of the selection: the item travels with that folder, so it
// is not moved on its own.
bool InsideSelectedFolder(const std::wstring& path, const std::unordered_set<std::wstring>& selectedKeys) {
  for (size_t slash = path.rfind(L'\\'); slash != std::wstring::npos && slash > 0; slash = path.rfind(L'\\', slash - 1))
    if (selectedKeys.count(PathKey(std::wstring_view(path).substr(0, slash)))) return true;
  return false;
}

}  // namespace

FilesRenamer::FilesRenamer(HWND owner, const PathList& paths) : owner(owner), oldPaths(paths) {}

void FilesRenamer::Rename(OperationResult& result) {
  result.kind = kind::Rename;
  if (AnyItemOpen()) {
    trace::Write(L"FilesRenamer::Rename: Some files are open!");
    result.Stop(status::OpenElsewhere, kOpenItems, oldPaths.size());
    return;
  }

  // Everything is worked out from the old paths, and the question asked, before anything moves: a
  // batch that ends while the user decides leaves every item under its own name.
  int missing = ChooseItemsToMove();
  RememberWhatTheBatchStandsOn();
  int kept = GenerateNewNames();
  if (kept == -2) {
    trace::Write(L"FilesRenamer::Rename: User decided not to overwrite existing files. Operation failed!");
    movedPaths.clear();
    result.Stop(status::UserSaidNo, L"", oldPaths.size());
    return;
  }
  if (kept < 0 || newPaths.size() != movedPaths.size()) {
    trace::Write(L"FilesRenamer::Rename: Unexpected error!");
    movedPaths.clear();
    result.Stop(status::Unexpected, kUnexpectedError, 0);
    return;
  }
  if (!MoveToTemporaryNames()) {
    trace::Write(L"FilesRenamer::Rename: Unexpected error!");
    MoveBack();
    result.Stop(status::Unexpected, kUnexpectedError, 0);
    return;
  }

  PathList generated = newPaths;
  int failures = MoveToNewNames(ItemsSharingANewName());
  int64_t total = int64_t(missing) + kept + failures;
  result.status = total < 1 ? status::Success : status::SomeFailed;
  result.message = total < 1 ? L"" : std::to_wstring(total) + L" files failed to rename.";
  int64_t failed = total < 1 ? 0 : total, selected = int64_t(oldPaths.size());
  result.failed = uint32_t(failed);
  result.succeeded = uint32_t(selected > failed ? selected - failed : 0);
  result.outputs = std::move(generated);
}

bool FilesRenamer::AnyItemOpen() const {
  // Folders, missing and forbidden items are dealt with later.
  for (const std::wstring& path : oldPaths)
    if (OpenElsewhere(path)) return true;
  return false;
}

// The items that move: those that exist, fit, and do not travel inside a selected folder. Returns how
// many are left as they are.
int FilesRenamer::ChooseItemsToMove() {
  std::unordered_set<std::wstring> selectedKeys;
  for (const std::wstring& path : oldPaths) selectedKeys.insert(PathKey(path));
  movedPaths.clear();
  moving_.clear();
  int missing = 0;
  for (const std::wstring& path : oldPaths) {
    if (!PathFileExistsW(path.c_str())) {
      trace::Write(L"1. File doesn't exist: ", path);
      ++missing;
    } else if (path.size() >= MAX_PATH) {
      trace::Write(L"FilesRenamer::Rename: Path too long, left as it is: ", path);
      ++missing;
    } else if (InsideSelectedFolder(path, selectedKeys)) {
      trace::Write(L"FilesRenamer::Rename: Inside a selected folder, left as it is: ", path);
      ++missing;
    } else {
      movedPaths.push_back(path);
      moving_.insert(PathKey(path));
    }
  }
  return missing;
}

// Phase 1. A scratch name is never one of the batch's old or new names. An item that has gone since
// its name was chosen gets no scratch name and counts as failed in phase 2.
bool FilesRenamer::MoveToTemporaryNames() {
  std::unordered_set<std::wstring> names = moving_;
  for (const std::wstring& path : newPaths) names.insert(PathKey(path));
  auto taken = [&](const std::wstring& path) { return names.count(PathKey(path)) > 0; };
  TemporaryNames scratch;
  tempPaths.clear();
  for (const std::wstring& path : movedPaths) {
    if (!PathFileExistsW(path.c_str())) {
      trace::Write(L"1. File doesn't exist: ", path);
      tempPaths.push_back(L"");
      continue;
    }
    std::wstring folder = SplitPath(path).folder;
    std::wstring temp = folder.empty() ? L"" : scratch.Reserve(folder, taken);
    if (temp.empty()) {
      trace::Write(L"FilesRenamer::Rename: GetTempFileName failed!");
      return false;
    }
    if (!DeleteFileOperation(owner, temp, true, false).execute()) {
      trace::Write(L"FilesRenamer::Rename: DeleteFileOperation failed!");
      DeleteFileW(temp.c_str());
      return false;
    }
    if (!Move(owner, path, temp)) {
      trace::Write(L"FilesRenamer::Rename: RenameFileOperation failed!");
      return false;
    }
    tempPaths.push_back(temp);
  }
  return true;
}

// Two items of the batch must never be sent to one name: the second move would fail, and its way back
// could be taken too. An item whose new name another item also gets stays under its own name (the item
// that already has that name wins, else the first), and so does every item whose new name is the old name
// of an item that stays.
std::vector<bool> FilesRenamer::ItemsSharingANewName() const {
  std::vector<bool> back(movedPaths.size(), false);
  std::unordered_map<std::wstring, std::vector<size_t>> byNewName;
  for (size_t i = 0; i < newPaths.size(); ++i) byNewName[PathKey(newPaths[i])].push_back(i);
  std::vector<size_t> staying;
  for (const auto& entry : byNewName) {
    const std::vector<size_t>& items = entry.second;
    if (items.size() < 2) continue;
    size_t winner = items.front();
    for (size_t i : items)
      if (PathKey(movedPaths[i]) == entry.first) winner = i;
    for (size_t i : items)
      if (i != winner) back[i] = true, staying.push_back(i);
  }
  while (!staying.empty()) {
    size_t item = staying.back();
    staying.pop_back();
    auto wanted = byNewName.find(PathKey(movedPaths[item]));
    if (wanted == byNewName.end()) continue;
    for (size_t i : wanted->second)
      if (i != item && !back[i]) back[i] = true, staying.push_back(i);
  }
  return back;
}

int FilesRenamer::MoveToNewNames(const std::vector<bool>& backToOldName) {
  int failures = 0;
  for (size_t i = 0; i < tempPaths.size(); ++i) {
    if (tempPaths[i].empty()) {
      ++failures;  // gone before it could be moved aside
      continue;
    }
    if (backToOldName[i])
      trace::Write(L"FilesRenamer::Rename: Another item of the batch gets the same name: ", newPaths[i]);
    else if (Move(owner, tempPaths[i], newPaths[i]))
      continue;
    if (!Move(owner, tempPaths[i], movedPaths[i]))
      trace::Write(L"FilesRenamer::Rename: Can't move back ", tempPaths[i], L" to ", movedPaths[i]);
    ++failures;
  }
  newPaths.clear();
  movedPaths.clear();
  tempPaths.clear();
  return failures;
}

// Brings back the items moved aside so far (phase 1 records only what it moved).
void FilesRenamer::MoveBack() {
  for (size_t i = 0; i < tempPaths.size(); ++i)
    if (!tempPaths[i].empty() && !Move(owner, tempPaths[i], movedPaths[i]))
      trace::Write(L"FilesRenamer::Rename: Can't move back ", tempPaths[i], L" to ", movedPaths[i]);
  tempPaths.clear();
  movedPaths.clear();
}

void FilesRenamer::RememberWhatTheBatchStandsOn() {
  standsOn_.clear();
  for (const std::wstring& path : movedPaths) {
    std::wstring key = PathKey(path);
    for (size_t slash = key.rfind(L'\\'); slash != std::wstring::npos && slash > 0; slash = key.rfind(L'\\')) {
      key.resize(slash);
      if (!standsOn_.insert(key).second) break;
    }
  }
}

void FilesRenamer::Propose(const std::wstring& oldPath, const std::wstring& folder, const std::wstring& name) {
  std::wstring path = StoredPath(folder + L"\\" + name);
  std::wstring key = PathKey(path);
  if (!IsUsableName(name) || path.size() >= MAX_PATH || standsOn_.count(key)) {
    trace::Write(L"FilesRenamer::GenerateNewNames: Can't give the name \"", name, L"\" to ", oldPath);
    Keep(oldPath, true);
    return;
  }
  newPaths.push_back(path);
  // An item of the batch will have moved aside by then; anything else of that name is in the way.
  if (!moving_.count(key) && PathFileExistsW(path.c_str()) && existingKeys_.insert(key).second)
    existing_.push_back(path);
}

void FilesRenamer::Keep(const std::wstring& oldPath, bool counted) {
  newPaths.push_back(oldPath);
  if (counted) ++kept_;
}

int FilesRenamer::FinishWalk() {
  int kept = std::exchange(kept_, 0);
  PathList existing = std::exchange(existing_, {});
  existingKeys_.clear();
  return existing.empty() ? kept : ConfirmOverwrite(existing, kept);
}

int FilesRenamer::Ask(const wchar_t* text, const wchar_t* caption, UINT type) const {
  return refactor_ ? refactor_->Ask(text, caption, type, 0) : Prompt(owner, text, caption, type);
}

int FilesRenamer::ConfirmOverwrite(const PathList& existingPaths, int passThrough) {
  if (Ask(kOverwriteQuestion, L"Warning!", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return -2;
  for (const std::wstring& path : existingPaths) {
    if (!PathFileExistsW(path.c_str())) continue;  // named twice, or gone meanwhile
    if (!DeleteFileOperation(owner, path, true, true).execute()) return -1;
  }
  return passThrough;
}
