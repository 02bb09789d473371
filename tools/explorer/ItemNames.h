#pragma once
// Item lists owned by the shell allocator, and the names a user reads for the items of a folder view.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

struct PidlFree {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// The item's file-system path (long paths too), or empty.
std::wstring ItemPath(PCIDLIST_ABSOLUTE absolute);

// What a user reads as the item's name in the folder window: the file name of its file-system path, or
// the display name for items without one (My Computer on the desktop, a drive).
std::wstring ItemName(IShellFolder* parent, PCUITEMID_CHILD item, const std::wstring& path);
