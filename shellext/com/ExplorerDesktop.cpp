// The desktop half of the Explorer controller: sorting the desktop's icons and repeating the last sort.
#include "shellext/com/ExplorerController.h"

#include "base/Trace.h"

// The desktop sorter is not part of this build yet: there is never a sort to repeat.
bool ExplorerController::RedoLastDesktopSort(bool) {
  trace::Write(L"ExplorerController::RedoLastDesktopSort: no desktop sorter in this build");
  return false;
}
