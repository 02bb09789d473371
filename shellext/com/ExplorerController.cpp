#include "shellext/com/ExplorerController.h"

#include <shlguid.h>

#include <set>
#include <string>
#include <vector>

#include "shellext/com/ShellIdListArray.h"

ExplorerController::ExplorerController() {
  // Balanced only when it succeeded: a thread already in another apartment keeps its own.
  comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
}

ExplorerController::~ExplorerController() {
  folderView_.reset();
  view_.reset();
  browser_.reset();
  if (comInitialized_) CoUninitialize();
}

void ExplorerController::Attach(IUnknown* site) {
  folderView_.reset();
  view_.reset();
  browser_.reset();
  if (!site) return;
  ComPtr<IServiceProvider> services;
  if (FAILED(site->QueryInterface(IID_IServiceProvider, services.put_void()))) return;
  if (FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser_.put_void()))) return;
  if (!browser_ || FAILED(browser_->QueryActiveShellView(view_.put())) || !view_) return;
  view_->QueryInterface(IID_IFolderView, folderView_.put_void());
}

HWND ExplorerController::Window() const {
  HWND window = nullptr;
  if (!browser_ || FAILED(browser_->GetWindow(&window))) return nullptr;
  return window;
}

ComPtr<IDataObject> ExplorerController::ItemObject(UINT which) const {
  ComPtr<IDataObject> data;
  if (FAILED(view_->GetItemObject(which, IID_IDataObject, data.put_void()))) data.reset();
  if (!data && which == SVGIO_ALLVIEW && folderView_) data = AllItemsFromFolderView();
  return data;
}

// Views that do not hand out all their items at once (Wine's) still list them by index: the folder
// makes the same "Shell IDList Array" from them.
ComPtr<IDataObject> ExplorerController::AllItemsFromFolderView() const {
  ComPtr<IShellFolder> folder;
  int count = 0;
  if (FAILED(folderView_->GetFolder(IID_IShellFolder, folder.put_void())) || !folder ||
      FAILED(folderView_->ItemCount(SVGIO_ALLVIEW, &count)))
    return {};
  std::vector<PITEMID_CHILD> items;
  for (int i = 0; i < count; ++i) {
    PITEMID_CHILD item = nullptr;
    if (SUCCEEDED(folderView_->Item(i, &item)) && item) items.push_back(item);
  }
  ComPtr<IDataObject> data;
  if (!items.empty())
    folder->GetUIObjectOf(nullptr, UINT(items.size()), const_cast<PCUITEMID_CHILD_ARRAY>(items.data()),
                          IID_IDataObject, nullptr, data.put_void());
  for (PITEMID_CHILD item : items) CoTaskMemFree(item);
  return data;
}

void ExplorerController::DeselectAllByIndex() {
  int count = 0;
  if (FAILED(folderView_->ItemCount(SVGIO_ALLVIEW, &count))) return;
  for (int i = 0; i < count; ++i) folderView_->SelectItem(i, SVSI_DESELECT);
}

ComPtr<IShellFolder> ExplorerController::ViewFolder() const {
  ComPtr<IShellFolder> folder;
  if (!folderView_ || FAILED(folderView_->GetFolder(IID_IShellFolder, folder.put_void()))) folder.reset();
  return folder;
}

bool ExplorerController::GetSelectedPaths(PathList& paths, std::vector<DWORD>* attributes) {
  paths.clear();
  if (attributes) attributes->clear();
  if (!view_) return false;
  ComPtr<IDataObject> selection = ItemObject(SVGIO_SELECTION);
  if (!selection) return false;
  ShellIdListArray items(selection.get());
  if (!items.Locked()) return false;
  items.UseParentFolder(ViewFolder().get());
  std::wstring path;
  for (UINT i = 0; i < items.Count(); ++i) {
    if (!items.Path(i, path)) continue;
    paths.push_back(path);
    if (attributes) attributes->push_back(items.FileAttributes(i));
  }
  return true;
}

bool ExplorerController::InvertSelection() {
  if (!view_ || !folderView_) return false;
  int count = 0;
  folderView_->ItemCount(SVGIO_ALLVIEW, &count);
  // The selection is read before anything changes; Wine's ItemCount(SVGIO_SELECTION) counts every
  // item, so only the data object tells what was selected.
  ComPtr<IDataObject> selection = ItemObject(SVGIO_SELECTION);
  if (!selection) return false;
  for (int i = 0; i < count; ++i) folderView_->SelectItem(i, SVSI_SELECT);
  ShellIdListArray previous(selection.get());
  if (!previous.Locked()) return false;
  for (UINT i = 0; i < previous.Count(); ++i) view_->SelectItem(previous.Item(i), SVSI_DESELECT);
  view_->UIActivate(SVUIA_ACTIVATE_FOCUS);
  return true;
}

bool ExplorerController::RefreshView() {
  if (!view_) return false;
  view_->Refresh();
  Sleep(10);
  // A window that keeps invalidating itself would keep the queue busy for ever: give up after a while.
  const ULONGLONG deadline = GetTickCount64() + 5000;
  MSG message;
  while (GetTickCount64() < deadline && PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      // Leave the quit message for the thread's own loop.
      PostQuitMessage(int(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    Sleep(1);
  }
  return true;
}

bool ExplorerController::SelectPaths(const PathList& paths) {
  std::set<std::wstring> wanted(paths.begin(), paths.end());
  if (!view_ || !folderView_) return false;
  RefreshView();
  ComPtr<IDataObject> all = ItemObject(SVGIO_ALLVIEW);
  if (!all) return false;
  DeselectAllByIndex();
  ShellIdListArray items(all.get());
  if (!items.Locked()) return false;
  items.UseParentFolder(ViewFolder().get());
  std::wstring path;
  for (UINT i = 0; i < items.Count(); ++i)
    if (items.Path(i, path) && wanted.count(path)) view_->SelectItem(items.Item(i), SVSI_SELECT);
  view_->UIActivate(SVUIA_ACTIVATE_FOCUS);
  return true;
}
