#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathList.h"

// Appends folder\name for every direct entry of the folder, in enumeration order.
void MakeListInDir(const std::wstring& folder, PathList& list);

// startCount plus the selected files and everything at any depth below the selected folders; -1 when a
// folder cannot be searched. Junctions and symbolic links count as one item and are never entered.
int64_t CalcTotalFiles(HWND owner, const PathList& list, int64_t startCount);

namespace BrivaneListSorter {
// True when a was created strictly earlier than b; false when either cannot be looked up.
bool compareFilePaths(const std::wstring& a, const std::wstring& b);
}
