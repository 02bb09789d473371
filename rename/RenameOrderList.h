#pragma once
// The rename order list of the ordered rename dialogs: a report list view with one row per selected item
// (its name, the system's small icon for it, its full path as row data) that the user rearranges with
// Up and Down. The order of the rows is the order in which the items are numbered or lettered.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "atl/Handles.h"
#include "base/PathList.h"

class RenameOrderList {
 public:
  // One column "File Name" spanning the list, an image list of the system's small-icon size, one row per
  // path in the given order.
  void Fill(HWND list, const PathList& paths);
  // Swaps the selected row with its neighbour above (step -1) or below (step +1); the moved row stays
  // selected and focused. Nothing happens without a selection or at the top or bottom.
  void MoveSelected(HWND list, int step) const;
  // The full paths of the rows from top to bottom.
  PathList Paths(HWND list) const;

 private:
  UniqueImageList images_;
  std::vector<UniqueIcon> icons_;  // the shell's icons for the rows, released with the list
  PathList rowPaths_;              // row data indexes this list, which never changes once filled
};
