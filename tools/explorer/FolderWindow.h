#pragma once
// The folder window: a frame that hosts the platform's real shell view of one folder through
// ShellBrowserSite, as an Explorer window does. The user's desktop folder opens as the desktop itself
// (the root of the namespace), as the desktop window shows it.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "atl/ComPtr.h"
#include "tools/explorer/ItemNames.h"
#include "tools/explorer/ShellBrowserSite.h"

class FolderWindow {
 public:
  FolderWindow();
  ~FolderWindow();
  FolderWindow(const FolderWindow&) = delete;
  FolderWindow& operator=(const FolderWindow&) = delete;

  // Opens the folder in a frame that stays hidden until Show, so that a user (or a test) can click only
  // once the selection is made and the handlers of clicks are in place.
  bool Open(const std::wstring& path, std::wstring& error);
  void Show();

  HWND frame() const { return frame_; }
  IShellView* view() const { return view_.get(); }
  IShellFolder* folder() const { return folder_.get(); }
  PCIDLIST_ABSOLUTE folderPidl() const { return folderPidl_.get(); }
  bool isDesktop() const { return ILIsEmpty(folderPidl_.get()) != FALSE; }
  // The folder's file-system path; for the desktop, the user's desktop folder.
  const std::wstring& path() const { return path_; }
  // The site handed to handlers, as Explorer hands them its browser.
  IUnknown* site() { return static_cast<IShellBrowser*>(site_); }

  // Selects the named items in the given order (the first gets the focus); names that the view does not
  // show are an error.
  bool Select(const std::vector<std::wstring>& names, std::wstring& error);
  // Selects every item the view shows.
  void SelectAll();
  // The view's data object for SVGIO_SELECTION, as Explorer hands it to the handlers.
  ComPtr<IDataObject> SelectionData() const;
  // The folder's data object for the named items, whatever the view selects (unknown names are left out).
  ComPtr<IDataObject> DataObjectFor(const std::vector<std::wstring>& names) const;
  // The names of the selected items, and of all items, in the view's own order.
  std::vector<std::wstring> SelectedNames() const;
  std::vector<std::wstring> AllNames() const;

  // While a context menu is open its messages go here first (owner-drawn entries, late submenus).
  using MenuMessageHook = std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)>;
  void SetMenuMessageHook(MenuMessageHook hook) { menuHook_ = std::move(hook); }
  // A right-click in the view (interactive use): on items or on the background.
  using ContextMenuRequest = std::function<void(POINT screen, bool onItems)>;
  void SetContextMenuRequest(ContextMenuRequest request) { contextRequest_ = std::move(request); }
  // Ends the message loop when the user closes the window.
  void QuitOnClose(bool quit) { quitOnClose_ = quit; }

 private:
  bool CreateView(UniquePidl pidl, std::wstring& error);
  std::vector<UniquePidl> AllItems() const;
  std::wstring NameOf(PCUITEMID_CHILD item) const;
  bool HandleViewContextMenu(LPARAM position);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                   DWORD_PTR self);

  HWND frame_ = nullptr;
  HWND viewWindow_ = nullptr;
  ShellBrowserSite* site_;  // owned; orphaned, not deleted, when the window goes
  ComPtr<IShellFolder> folder_;
  ComPtr<IShellView> view_;
  UniquePidl folderPidl_;
  std::wstring path_;
  MenuMessageHook menuHook_;
  ContextMenuRequest contextRequest_;
  bool quitOnClose_ = false;
};

// Dispatches the messages already waiting for this thread's windows.
void PumpMessages();
