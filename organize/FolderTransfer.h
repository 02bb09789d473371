#pragma once
// Copy and move of the selection into a chosen folder. Copy hands whole items to the shell; move walks
// folders itself, so that a folder merges into an existing folder of its name and files that another
// program holds open stay where they are.
#include <windows.h>

#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"

class FolderTransfer {
 public:
  explicit FolderTransfer(HWND owner) : owner_(owner) {}

  void Copy(OperationResult& result, const PathList& selection, const std::wstring& destination);
  void Move(OperationResult& result, const PathList& selection, const std::wstring& destination);

 private:
  // Refuses the whole batch before anything moves when the destination is a selected folder or lies
  // inside one: the copy or move would feed on itself.
  bool RefuseIntoItself(OperationResult& result, const PathList& selection, const std::wstring& destination,
                        const wchar_t* verb);
  // One level of the move: the files and links of the list, and each folder through its own entries.
  void MoveInto(OperationResult& result, const PathList& list, const std::wstring& destination);
  // True when the folder's whole content moved and the emptied folder was removed.
  bool MoveFolder(const std::wstring& folder, const std::wstring& destination);

  HWND owner_;
};
