#include "tools/explorer/MenuSession.h"

#include "tools/explorer/Output.h"

namespace {

std::string Ansi(const std::wstring& text) {
  int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(bytes > 0 ? size_t(bytes) : 1, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

bool Contains(HMENU menu, HMENU target) {
  if (menu == target) return true;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (sub && Contains(sub, target)) return true;
  }
  return false;
}

}  // namespace

MenuSession::~MenuSession() {
  // Explorer takes the site back before it lets the handlers go.
  for (Handler& handler : handlers_)
    if (handler.withSite) handler.withSite->SetSite(nullptr);
  handlers_.clear();
}

bool MenuSession::Build(FolderWindow& window, bool background, UINT flags, std::wstring& error, bool folderToo) {
  ComPtr<IDataObject> data;
  std::vector<std::wstring> classes;
  if (background) {
    classes = BackgroundClasses();
  } else {
    std::vector<std::wstring> selected = window.SelectedNames();
    data = window.SelectionData();
    if (selected.empty() || !data) {
      error = L"nothing is selected: an item menu needs --select NAME;... (or use --background)";
      return false;
    }
    classes = ItemClasses(selected.front());
  }
  popup_.reset(CreatePopupMenu());
  if (!popup_) {
    error = L"cannot create a popup menu";
    return false;
  }
  for (const std::wstring& className : classes) {
    UniqueKey classKey;
    RegOpenKeyExW(HKEY_CLASSES_ROOT, className.c_str(), 0, KEY_READ, classKey.put());
    for (const HandlerEntry& entry : FindContextMenuHandlers({className})) {
      bool loaded = false;
      for (const Handler& handler : handlers_) loaded = loaded || IsEqualCLSID(handler.entry.id, entry.id);
      if (!loaded)
        Load(entry, background || folderToo ? window.folderPidl() : nullptr, data.get(), classKey.get(), window.site(),
             flags);
    }
  }
  return true;
}

bool MenuSession::Load(const HandlerEntry& entry, PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY classKey,
                       IUnknown* site, UINT flags) {
  auto note = [&](const std::wstring& what, HRESULT hr) {
    out::Note(L"handler " + entry.name + L" " + entry.clsid + L": " + what + L" returned " + out::Hex(hr));
    return false;
  };
  Handler handler;
  handler.entry = entry;
  ComPtr<IShellExtInit> init;
  HRESULT hr = CreateHandler(entry.id, IID_PPV_ARGS(init.put()));
  if (FAILED(hr)) return note(L"CoCreateInstance", hr);
  hr = init->Initialize(folder, data, classKey);
  if (FAILED(hr)) return note(L"Initialize", hr);
  handler.menu = init.As<IContextMenu>();
  if (!handler.menu) return note(L"QueryInterface(IContextMenu)", E_NOINTERFACE);
  handler.menu2 = init.As<IContextMenu2>();
  handler.menu3 = init.As<IContextMenu3>();
  handler.withSite = init.As<IObjectWithSite>();
  if (handler.withSite) handler.withSite->SetSite(site);

  UINT position = UINT(GetMenuItemCount(popup_.get()));
  hr = handler.menu->QueryContextMenu(popup_.get(), position, nextId_, kLastId, flags);
  if (FAILED(hr)) {
    if (handler.withSite) handler.withSite->SetSite(nullptr);
    return note(L"QueryContextMenu", hr);
  }
  handler.first = nextId_;
  handler.count = HRESULT_CODE(hr);
  nextId_ += handler.count;
  handlers_.push_back(std::move(handler));
  return true;
}

std::vector<MenuNode> MenuSession::Entries() {
  std::vector<MenuNode> entries = ReadMenu(popup_.get(), [this](HMENU submenu, UINT position) {
    LRESULT ignored = 0;
    HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), MAKELPARAM(position, FALSE), ignored);
  });
  TidySeparators(entries);
  return entries;
}

HRESULT MenuSession::Invoke(UINT id, HWND owner, const std::wstring& directory, POINT point) {
  Handler* handler = OwnerOfId(id);
  if (!handler) return E_INVALIDARG;
  UINT offset = id - handler->first;
  std::string directoryA = Ansi(directory);
  CMINVOKECOMMANDINFOEX info = {};
  info.cbSize = sizeof info;
  info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
  info.hwnd = owner;
  info.lpVerb = MAKEINTRESOURCEA(offset);
  info.lpVerbW = MAKEINTRESOURCEW(offset);
  info.lpDirectory = directoryA.c_str();
  info.lpDirectoryW = directory.c_str();
  info.nShow = SW_SHOWNORMAL;
  info.ptInvoke = point;
  return handler->menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

MenuSession::Handler* MenuSession::OwnerOfId(UINT id) {
  // Identifiers run in ascending ranges, one per handler.
  Handler* owner = nullptr;
  for (Handler& handler : handlers_)
    if (handler.first <= id && (!owner || handler.first >= owner->first)) owner = &handler;
  return owner;
}

MenuSession::Handler* MenuSession::OwnerOfSubmenu(HMENU submenu) {
  // A submenu belongs to whoever added the top-level entry above it; its caption's own identifier
  // may lie outside that handler's range.
  int count = GetMenuItemCount(popup_.get());
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (GetMenuItemInfoW(popup_.get(), UINT(i), TRUE, &info) && info.hSubMenu && Contains(info.hSubMenu, submenu))
      return OwnerOfId(info.wID);
  }
  return nullptr;
}

bool MenuSession::Forward(Handler* handler, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (!handler) return false;
  if (handler->menu3) return handler->menu3->HandleMenuMsg2(message, wparam, lparam, &result) == S_OK;
  if (handler->menu2 && message != WM_MENUCHAR) {
    result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return handler->menu2->HandleMenuMsg(message, wparam, lparam) == S_OK;
  }
  return false;
}

bool MenuSession::HandleMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_INITMENUPOPUP: {
      HMENU menu = reinterpret_cast<HMENU>(wparam);
      return menu != popup_.get() && Forward(OwnerOfSubmenu(menu), message, wparam, lparam, result);
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      return item && item->CtlType == ODT_MENU && Forward(OwnerOfId(item->itemID), message, wparam, lparam, result);
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      return item && item->CtlType == ODT_MENU && Forward(OwnerOfId(item->itemID), message, wparam, lparam, result);
    }
    case WM_MENUCHAR:
      for (Handler& handler : handlers_)
        if (handler.menu3 && handler.menu3->HandleMenuMsg2(message, wparam, lparam, &result) == S_OK &&
            HIWORD(result) != MNC_IGNORE)
          return true;
      return false;
  }
  return false;
}
