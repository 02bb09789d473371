#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathList.h"

// A junction or symbolic link. Walks list it as one item and never enter it: what lies behind it is
// outside the tree the user chose.
bool IsLink(const std::wstring& path);

// The path in the "\\?\" form that the file APIs take beyond MAX_PATH characters, for paths that need it;
// other paths as they are.
std::wstring LongPathForm(const std::wstring& path);

// folder\name, without doubling the backslash of a drive root ("C:\").
std::wstring ChildPath(const std::wstring& folder, const std::wstring& name);

// Appends folder\name for every direct entry of the folder, in enumeration order.
void MakeListInDir(const std::wstring& folder, PathList& list);

// True only for a folder that could be searched and holds nothing: a folder that cannot be read is not
// known to be empty, and whatever removes empty folders must leave it alone.
bool IsEmptyFolder(const std::wstring& folder);

// startCount plus the selected files and everything at any depth below the selected folders; -1 when a
// folder cannot be searched. Junctions and symbolic links count as one item and are never entered.
int64_t CalcTotalFiles(HWND owner, const PathList& list, int64_t startCount);

namespace BrivaneListSorter {
// True when a was created strictly earlier than b; false when either cannot be looked up.
bool compareFilePaths(const std::wstring& a, const std::wstring& b);
}
