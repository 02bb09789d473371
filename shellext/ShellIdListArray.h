#pragma once
// The "Shell IDList Array" of a shell data object, locked while this object lives: the parent folder's
// item list followed by each item's list relative to it.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

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
  // The item's file-system path, or false when it has none (a virtual item).
  bool Path(UINT index, std::wstring& path) const;

 private:
  STGMEDIUM medium_{};
  bool haveMedium_ = false;
  const CIDA* array_ = nullptr;
  UINT count_ = 0;
  SIZE_T size_ = 0;
  mutable std::vector<wchar_t> buffer_;
  static constexpr size_t kMaxLongPath = 32768;
};
