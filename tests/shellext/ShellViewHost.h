#pragma once
// The platform's real shell view of a folder, hosted in a window with a minimal Explorer browser as its
// site: what Explorer hands a context-menu handler. Selection is read back from the view's list view,
// independently of the code under test.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "atl/ComPtr.h"

class ShellViewHost {
 public:
  // An empty folder hosts the desktop itself, the root of the namespace, as the desktop window shows it.
  explicit ShellViewHost(const std::wstring& folder);
  ~ShellViewHost();
  ShellViewHost(const ShellViewHost&) = delete;
  ShellViewHost& operator=(const ShellViewHost&) = delete;

  bool Ready() const { return view_ && listView_; }
  IUnknown* Site() const;
  IShellView* View() const { return view_.get(); }
  // Lets the browser hand out another view as its active one (a wrapper around View()); null restores.
  void ServeView(IShellView* view);
  HWND Window() const { return window_; }

  // Lets the view's pending messages run.
  void Pump() const;
  // Selects exactly the named items (display names in the view).
  void Select(const std::vector<std::wstring>& names) const;
  void SelectAll() const;
  // Display names of the selected items, in the view's order.
  std::vector<std::wstring> SelectedNames() const;
  std::vector<std::wstring> AllNames() const;
  // The shell's data object for the named items (carries CF_HDROP), as Explorer passes to Initialize.
  ComPtr<IDataObject> DataObjectFor(const std::vector<std::wstring>& names) const;

 private:
  int IndexOf(const std::wstring& name) const;
  std::wstring ItemText(int index) const;

  HWND window_ = nullptr;
  HWND listView_ = nullptr;
  ComPtr<IShellFolder> folder_;
  ComPtr<IShellView> view_;
  ComPtr<IUnknown> browser_;
};
