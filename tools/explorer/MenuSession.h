#pragma once
// One context menu, as Explorer drives it: the registered handlers are created, initialised with the
// click (the selection's data object, or the folder's item list for a background click), given the
// browser site, asked to fill one popup, fed the menu's messages, and one of them invoked.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "atl/ComPtr.h"
#include "atl/Handles.h"
#include "tools/explorer/FolderWindow.h"
#include "tools/explorer/HandlerRegistry.h"
#include "tools/explorer/MenuReader.h"

class MenuSession {
 public:
  // The flags Explorer passes for an ordinary right-click.
  static UINT UsualFlags(bool background) { return background ? CMF_NORMAL : CMF_NORMAL | CMF_CANRENAME; }

  MenuSession() = default;
  ~MenuSession();
  MenuSession(const MenuSession&) = delete;
  MenuSession& operator=(const MenuSession&) = delete;

  // Items: the view's current selection must not be empty; with folderToo the handlers also get the
  // folder's item list, as some Explorer versions pass it with an item menu. A handler that fails is
  // left out, as Explorer leaves it out; only a click that cannot be made is an error.
  bool Build(FolderWindow& window, bool background, UINT flags, std::wstring& error, bool folderToo = false);

  HMENU popup() const { return popup_.get(); }
  size_t handlerCount() const { return handlers_.size(); }

  // The entries the handlers added, as a user sees them.
  std::vector<MenuNode> Entries();

  // Invokes the entry with this menu identifier: CMINVOKECOMMANDINFOEX, Unicode, the folder as the
  // directory and the offset from the handler's first identifier as the verb.
  HRESULT Invoke(UINT id, HWND owner, const std::wstring& directory, POINT point);

  // Owner-drawn entries and submenus go to the handler that added them (IContextMenu3/2).
  bool HandleMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

 private:
  struct Handler {
    HandlerEntry entry;
    ComPtr<IContextMenu> menu;
    ComPtr<IContextMenu2> menu2;
    ComPtr<IContextMenu3> menu3;
    ComPtr<IObjectWithSite> withSite;
    UINT first = 0;
    UINT count = 0;
  };
  bool Load(const HandlerEntry& entry, PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY classKey,
            IUnknown* site, UINT flags);
  Handler* OwnerOfId(UINT id);
  Handler* OwnerOfSubmenu(HMENU submenu);
  bool Forward(Handler* handler, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  std::vector<Handler> handlers_;
  UniqueMenu popup_;
  UINT nextId_ = kFirstId;
  static constexpr UINT kFirstId = 1;
  static constexpr UINT kLastId = 0x7FFF;
};
