#include "crypt/PlainCopies.h"

#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"

// Each item gets a numbered slot, so items of the same name from different folders do not meet.
std::wstring PlainCopies::Slot(size_t index) const { return folder_ + L"\\" + std::to_wstring(index); }

bool PlainCopies::Make(const PathList& items) {
  if (items.empty()) return true;
  std::wstring placeholder = MakeTempFileName(SplitPath(items.front()).folder);
  if (placeholder.empty()) {
    trace::Write(L"GetTempFileName failed!");
    trace::Write(L"FilesRefactor::Encrypt: get temp file failed");
    return false;
  }
  if (!DeleteFileOperation(owner_, placeholder, true, false).execute()) {
    trace::Write(L"FilesRefactor::Encrypt: DeleteFileOperation failed");
    DeleteFileW(placeholder.c_str());
    return false;
  }
  if (!CreateDirectoryW(placeholder.c_str(), nullptr)) {
    trace::Write(L"FilesRefactor::Encrypt: CreateDirectory failed (", std::to_wstring(GetLastError()), L")");
    return false;
  }
  folder_ = placeholder;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!CreateDirectoryW(Slot(i).c_str(), nullptr) ||
        !CopyFileOperation(owner_, items[i], Slot(i), false, true, true).execute()) {
      trace::Write(L"FilesRefactor::Encrypt: CopyFileOperation failed");
      Discard();
      return false;
    }
  }
  items_ = items;
  return true;
}

bool PlainCopies::PutBack() {
  if (folder_.empty()) return true;
  bool allBack = true;
  for (size_t i = 0; i < items_.size(); ++i) {
    PathParts item = SplitPath(items_[i]);
    if (!MoveFileOperation(owner_, Slot(i) + L"\\" + item.name, item.folder, false, true, true).execute()) {
      trace::Write(L"FilesRefactor::Encrypt: MoveFileOperation failed");
      allBack = false;
    }
  }
  if (!allBack) {
    // The backup folder now holds the only plain copy of what failed to move: keep it.
    trace::Write(L"FilesRefactor::Encrypt: plain copies kept in ", folder_);
    return false;
  }
  if (!DeleteFileOperation(owner_, folder_, true, false).execute()) {
    trace::Write(L"FilesRefactor::Encrypt: DeleteFileOperation failed");
    return false;
  }
  folder_.clear();
  return true;
}

void PlainCopies::Discard() {
  DeleteFileOperation(owner_, folder_, true, false).execute();
  folder_.clear();
}
