#pragma once
// Drives the Explorer window a context menu was opened in, through the documented shell view
// interfaces reached from the menu's site: reads the view's selection in the view's order, inverts it,
// selects given paths and refreshes the view; on the desktop, sorts the icons (ExplorerDesktop.cpp). Runs
// on the view's thread.
#include <windows.h>
#include <shobjidl.h>

#include <vector>

#include "atl/ComPtr.h"
#include "base/PathList.h"
#include "desktop/DesktopPlatform.h"
#include "desktop/DesktopSortSettings.h"

class ExplorerController {
 public:
  ExplorerController();
  virtual ~ExplorerController();
  ExplorerController(const ExplorerController&) = delete;
  ExplorerController& operator=(const ExplorerController&) = delete;

  // Finds the top-level browser, its active view and the view's folder view; the steps that succeed
  // stay held. Forgets any earlier window first.
  void Attach(IUnknown* site);

  // The Explorer window; null when none is attached.
  HWND Window() const;
  // The folder the attached view shows; null without one.
  ComPtr<IShellFolder> ViewFolder() const;

  // The selected items' paths in the view's order; false when the view does not answer. Items
  // without a file-system path are left out. With attributes: beside each path the file attributes
  // the view's items hold (0 where they hold none), so that nobody need ask the disk again.
  bool GetSelectedPaths(PathList& paths, std::vector<DWORD>* attributes = nullptr);
  // Selects exactly the items that were not selected and focuses the view.
  bool InvertSelection();
  // Refreshes the view and lets this thread's pending messages run, so its items are current.
  bool RefreshView();
  // After a refresh, selects exactly the items whose paths are in the list (exact, case-sensitive).
  bool SelectPaths(const PathList& paths);

  // Sorts the view's icons with the record (Desktop sorter). A new sort forgets the record's previous
  // wallpaper first, so that the wallpaper of this moment is remembered; a redo keeps it. With doNotAsk
  // the sort is kept and stored without the question. False without a view or when its items cannot be
  // read.
  bool SortDesktop(DesktopSortSettings& settings, bool newSort, bool doNotAsk);
  // The stored last sort into the record; false, with the record as it was, when none can be read.
  static bool LoadLastDesktopSort(DesktopSortSettings& settings);
  // Sorts again with the stored last sort, or with the defaults when none is stored.
  bool RedoLastDesktopSort(bool doNotAsk);
  // What the sorter asks of the machine; the running system unless a test says otherwise.
  void UseDesktopPlatform(const DesktopPlatform& platform) { desktopPlatform_ = &platform; }

 private:
  ComPtr<IDataObject> ItemObject(UINT which) const;
  ComPtr<IDataObject> AllItemsFromFolderView() const;
  void DeselectAllByIndex();

  ComPtr<IShellBrowser> browser_;
  ComPtr<IShellView> view_;
  ComPtr<IFolderView> folderView_;
  bool comInitialized_ = false;
  const DesktopPlatform* desktopPlatform_ = &SystemDesktopPlatform();
};

// Stores the record as the last sort ("LastDesktopSortData"); false when it could not be written.
bool SaveLastDesktopSort(const DesktopSortSettings& settings);
