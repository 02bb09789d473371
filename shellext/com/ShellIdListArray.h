#pragma once
// The "Shell IDList Array" of a shell data object, locked while this object lives: the parent folder's
// item list followed by each item's list relative to it.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "atl/ComPtr.h"

class ShellIdListArray {
 public:
  // Asks the data object for the format; check Locked() before using the items.
  explicit ShellIdListArray(IDataObject* data);
  ~ShellIdListArray();
  ShellIdListArray(const ShellIdListArray&) = delete;
  ShellIdListArray& operator=(const ShellIdListArray&) = delete;

  bool Locked() const { return array_ != nullptr; }
  UINT Count() const { return count_; }
  PCIDLIST_ABSOLUTE Parent() const;
  PCUITEMID_CHILD Item(UINT index) const;

  // Lets Path and FileAttributes ask the items' parent folder directly: `known` when it is that folder
  // (a view's own), otherwise the folder is bound here once. Asking the shell for each item's path on
  // its own binds that folder again for every item. False when the folder cannot be had.
  bool UseParentFolder(IShellFolder* known = nullptr);
  // The same with `known` only: false, and no folder bound, when it is not the items' parent.
  bool UseFolderIfParent(IShellFolder* known);

  // The item's file-system path, or false when it has none (a virtual item).
  bool Path(UINT index, std::wstring& path) const;
  // The item's file attributes as the parent folder holds them in the item (the disk is not asked), and
  // its file name; 0 when the folder holds none or UseParentFolder did not succeed.
  DWORD FileAttributes(UINT index, std::wstring* name = nullptr) const;

 private:
  bool PathThroughFolder(PCUITEMID_CHILD item, std::wstring& path) const;

  STGMEDIUM medium_{};
  bool haveMedium_ = false;
  const CIDA* array_ = nullptr;
  UINT count_ = 0;
  SIZE_T size_ = 0;
  ComPtr<IShellFolder> parent_;
  mutable std::vector<wchar_t> buffer_;
  static constexpr size_t kMaxLongPath = 32768;
};
