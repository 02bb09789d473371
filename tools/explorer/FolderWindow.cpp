#include "tools/explorer/FolderWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "shellext/com/ShellIdListArray.h"
#include "tools/explorer/Output.h"

namespace {

constexpr wchar_t kFrameClass[] = L"BrivaneExplorerFrame";
constexpr UINT_PTR kViewSubclassId = 1;

std::wstring DesktopDirectory() {
  wchar_t path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)) ? path
                                                                                                          : L"";
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) {
  DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  full.resize(written < needed ? written : 0);
  return full.empty() ? path : full;
}

// The folder's item list. Wine's shell parses no path of MAX_PATH characters or more, not even one
// name at a time below a shorter ancestor, so such a folder cannot be shown.
HRESULT ParseFolder(const std::wstring& path, UniquePidl& pidl) {
  ComPtr<IShellFolder> desktop;
  HRESULT hr = SHGetDesktopFolder(desktop.put());
  if (FAILED(hr)) return hr;
  PIDLIST_RELATIVE parsed = nullptr;
  std::wstring copy = path;
  hr = desktop->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &parsed, nullptr);
  if (SUCCEEDED(hr)) pidl.reset(static_cast<ITEMIDLIST*>(parsed));
  return hr;
}

void RegisterFrameClass(WNDPROC proc) {
  WNDCLASSEXW wc = {sizeof wc};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFrameClass;
  RegisterClassExW(&wc);
}

}  // namespace

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

FolderWindow::FolderWindow() : site_(ShellBrowserSite::Create()) {}

FolderWindow::~FolderWindow() {
  site_->SetView(nullptr);
  if (view_) {
    view_->UIActivate(SVUIA_DEACTIVATE);
    view_->DestroyViewWindow();
  }
  view_.reset();
  folder_.reset();
  if (frame_) DestroyWindow(frame_);
  site_->Orphan();
}

bool FolderWindow::Open(const std::wstring& requested, std::wstring& error) {
  std::wstring path = WithoutTrailingBackslash(FullPath(requested));
  // A folder path of MAX_PATH characters or more is only reachable with the long-path prefix.
  std::wstring reachable = path.size() >= MAX_PATH && path.compare(0, 2, L"\\\\") != 0 ? L"\\\\?\\" + path : path;
  DWORD attributes = GetFileAttributesW(reachable.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = L"not a folder: " + requested;
    return false;
  }

  UniquePidl pidl;
  if (SameText(path, DesktopDirectory())) {
    PIDLIST_ABSOLUTE desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop))) {
      error = L"the desktop has no item list";
      return false;
    }
    pidl.reset(desktop);
  } else {
    HRESULT hr = ParseFolder(path, pidl);
    if (FAILED(hr)) {
      error = L"the shell cannot parse " + path + L" (" + out::Hex(hr) + L")";
      if (path.size() >= MAX_PATH)
        error += L": the path has " + std::to_wstring(path.size()) + L" characters, the shell takes fewer than " +
                 std::to_wstring(MAX_PATH);
      return false;
    }
  }

  RegisterFrameClass(&FrameProc);
  frame_ = CreateWindowExW(0, kFrameClass, path.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                           GetModuleHandleW(nullptr), this);
  if (!frame_) {
    error = L"cannot create the folder window (error " + std::to_wstring(GetLastError()) + L")";
    return false;
  }
  site_->SetWindow(frame_);
  return CreateView(std::move(pidl), error);
}

void FolderWindow::Show() {
  ShowWindow(frame_, SW_SHOWNORMAL);
  UpdateWindow(frame_);
  PumpMessages();
}

bool FolderWindow::CreateView(UniquePidl pidl, std::wstring& error) {
  ComPtr<IShellFolder> desktop, folder;
  HRESULT hr = SHGetDesktopFolder(desktop.put());
  if (SUCCEEDED(hr)) {
    if (ILIsEmpty(pidl.get()))
      folder = desktop;
    else
      hr = desktop->BindToObject(pidl.get(), nullptr, IID_PPV_ARGS(folder.put()));
  }
  ComPtr<IShellView> view;
  if (SUCCEEDED(hr)) hr = folder->CreateViewObject(frame_, IID_PPV_ARGS(view.put()));
  if (FAILED(hr)) {
    error = L"the shell has no view for this folder (" + out::Hex(hr) + L")";
    return false;
  }

  FOLDERSETTINGS settings = {FVM_ICON, FWF_NONE};
  RECT area;
  GetClientRect(frame_, &area);
  site_->SetView(view.get());
  hr = view->CreateViewWindow(nullptr, &settings, site_, &area, &viewWindow_);
  if (FAILED(hr) || !viewWindow_) {
    site_->SetView(nullptr);
    error = L"the shell view did not open its window (" + out::Hex(hr) + L")";
    return false;
  }
  view_ = view;
  folder_ = folder;
  folderPidl_ = std::move(pidl);
  path_ = isDesktop() ? DesktopDirectory() : ItemPath(folderPidl_.get());
  SetWindowTextW(frame_, isDesktop() ? L"Desktop" : path_.c_str());
  SetWindowSubclass(viewWindow_, &ViewProc, kViewSubclassId, reinterpret_cast<DWORD_PTR>(this));
  view_->UIActivate(SVUIA_ACTIVATE_FOCUS);
  PumpMessages();
  return true;
}

std::vector<UniquePidl> FolderWindow::AllItems() const {
  std::vector<UniquePidl> items;
  ComPtr<IFolderView> folderView = view_.As<IFolderView>();
  int count = 0;
  if (!folderView || FAILED(folderView->ItemCount(SVGIO_ALLVIEW, &count))) return items;
  for (int i = 0; i < count; ++i) {
    PITEMID_CHILD item = nullptr;
    if (SUCCEEDED(folderView->Item(i, &item)) && item) items.emplace_back(item);
  }
  return items;
}

std::wstring FolderWindow::NameOf(PCUITEMID_CHILD item) const {
  UniquePidl absolute(ILCombine(folderPidl_.get(), item));
  return ItemName(folder_.get(), item, ItemPath(absolute.get()));
}

std::vector<std::wstring> FolderWindow::AllNames() const {
  std::vector<std::wstring> names;
  for (const UniquePidl& item : AllItems()) names.push_back(NameOf(item.get()));
  return names;
}

namespace {
// The index of the named item: an exact match first, then one that differs only in case; npos for none.
size_t FindName(const std::vector<std::wstring>& itemNames, const std::wstring& name) {
  for (size_t i = 0; i < itemNames.size(); ++i)
    if (itemNames[i] == name) return i;
  for (size_t i = 0; i < itemNames.size(); ++i)
    if (SameText(itemNames[i], name)) return i;
  return std::wstring::npos;
}
}  // namespace

bool FolderWindow::Select(const std::vector<std::wstring>& names, std::wstring& error) {
  std::vector<UniquePidl> items = AllItems();
  std::vector<std::wstring> itemNames;
  for (const UniquePidl& item : items) itemNames.push_back(NameOf(item.get()));
  std::vector<const ITEMIDLIST*> chosen;
  for (const std::wstring& name : names) {
    size_t found = FindName(itemNames, name);
    if (found == std::wstring::npos) {
      error = L"the view shows no item named \"" + name + L"\" in " + path_;
      return false;
    }
    chosen.push_back(items[found].get());
  }
  // Wine's view ignores SVSI_DESELECTOTHERS without an item: every item is deselected one by one.
  for (const UniquePidl& item : items) view_->SelectItem(item.get(), SVSI_DESELECT);
  for (size_t i = 0; i < chosen.size(); ++i) {
    UINT flags = SVSI_SELECT | (i == 0 ? SVSI_FOCUSED | SVSI_ENSUREVISIBLE : 0);
    if (FAILED(view_->SelectItem(chosen[i], flags))) {
      error = L"the view refused to select \"" + names[i] + L"\"";
      return false;
    }
  }
  PumpMessages();
  return true;
}

void FolderWindow::SelectAll() {
  std::vector<UniquePidl> items = AllItems();
  for (size_t i = 0; i < items.size(); ++i)
    view_->SelectItem(items[i].get(), SVSI_SELECT | (i == 0 ? SVSI_FOCUSED : 0));
  PumpMessages();
}

ComPtr<IDataObject> FolderWindow::DataObjectFor(const std::vector<std::wstring>& names) const {
  std::vector<UniquePidl> items = AllItems();
  std::vector<std::wstring> itemNames;
  for (const UniquePidl& item : items) itemNames.push_back(NameOf(item.get()));
  std::vector<PCUITEMID_CHILD> chosen;
  for (const std::wstring& name : names) {
    size_t found = FindName(itemNames, name);
    if (found != std::wstring::npos) chosen.push_back(items[found].get());
  }
  ComPtr<IDataObject> data;
  if (folder_ && FAILED(folder_->GetUIObjectOf(frame_, UINT(chosen.size()), chosen.data(), IID_IDataObject, nullptr,
                                               data.put_void())))
    data.reset();
  return data;
}

ComPtr<IDataObject> FolderWindow::SelectionData() const {
  ComPtr<IDataObject> data;
  if (view_ && FAILED(view_->GetItemObject(SVGIO_SELECTION, IID_PPV_ARGS(data.put())))) data.reset();
  return data;
}

std::vector<std::wstring> FolderWindow::SelectedNames() const {
  std::vector<std::wstring> names;
  ShellIdListArray array(SelectionData().get());
  for (UINT i = 0; array.Locked() && i < array.Count(); ++i) {
    std::wstring path;
    array.Path(i, path);
    names.push_back(ItemName(folder_.get(), array.Item(i), path));
  }
  return names;
}

bool FolderWindow::HandleViewContextMenu(LPARAM position) {
  if (!contextRequest_) return false;
  POINT screen = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  bool onItems = false;
  HWND list = FindWindowExW(viewWindow_, nullptr, WC_LISTVIEWW, nullptr);
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: the selection if there is one, at the focused item.
    onItems = list && ListView_GetSelectedCount(list) > 0;
    RECT area;
    GetWindowRect(viewWindow_, &area);
    screen = {area.left + 20, area.top + 20};
  } else if (list) {
    LVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    onItems = ListView_HitTest(list, &hit) >= 0;
  }
  contextRequest_(screen, onItems);
  return true;
}

LRESULT CALLBACK FolderWindow::ViewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                        DWORD_PTR self) {
  auto* folderWindow = reinterpret_cast<FolderWindow*>(self);
  if (message == WM_CONTEXTMENU && folderWindow->HandleViewContextMenu(lparam)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &ViewProc, kViewSubclassId);
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK FolderWindow::FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FolderWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR:
    case WM_MENUSELECT:
      if (self->menuHook_) {
        LRESULT result = 0;
        if (self->menuHook_(message, wparam, lparam, result)) return result;
      }
      break;
    case WM_SIZE:
      if (self->viewWindow_) MoveWindow(self->viewWindow_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (self->viewWindow_) SetFocus(self->viewWindow_);
      return 0;
    case WM_DESTROY:
      if (self->quitOnClose_) PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      self->frame_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
