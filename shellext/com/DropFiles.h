#pragma once
#include <windows.h>

#include "base/PathList.h"

// The paths of a CF_HDROP block (DROPFILES header, then a double-null-terminated list, wide or ANSI)
// read in one pass: DragQueryFileW walks the list from its start for every index, which makes large
// selections quadratic. Returns false for a damaged block; the paths read before the damage stay.
bool ReadDropFiles(HGLOBAL block, PathList& paths);
