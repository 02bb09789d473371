#pragma once
// Item lists owned by the shell allocator, and the "Shell IDList Array" of a data object: the parent
// folder's item list followed by each item's list relative to it.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

struct PidlFree {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

class ItemIdArray {
 public:
  // Copies the array out of the data object; false when it has none or the block is malformed.
  bool Read(IDataObject* data);

  size_t size() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
  PCIDLIST_ABSOLUTE parent() const { return At(offsets_[0]); }
  PCUITEMID_CHILD item(size_t i) const { return At(offsets_[i + 1]); }
  UniquePidl Absolute(size_t i) const;

 private:
  const ITEMIDLIST* At(UINT offset) const { return reinterpret_cast<const ITEMIDLIST*>(block_.data() + offset); }
  std::vector<BYTE> block_;
  std::vector<UINT> offsets_;
};

// What a user reads as the item's name in the folder window: the file name of its file-system path, or
// the display name for items without one (My Computer on the desktop, a drive).
std::wstring ItemName(IShellFolder* parent, PCUITEMID_CHILD item, PCIDLIST_ABSOLUTE absolute);

// The item's file-system path, or empty.
std::wstring ItemPath(PCIDLIST_ABSOLUTE absolute);
