#include "RecordingFolderView.h"

#include <shlwapi.h>

RecordingFolderView::RecordingFolderView(IShellView* real) : ComObjectRoot(false), view_(real) {
  folder_ = view_.As<IFolderView>();
  if (folder_) folder_->GetFolder(IID_IShellFolder, shellFolder_.put_void());
}

const InterfaceEntry* RecordingFolderView::Interfaces() {
  static const InterfaceEntry table[] = {ComInterface<RecordingFolderView, IShellView>(),
                                         ComInterface<RecordingFolderView, IOleWindow>(IID_IOleWindow),
                                         ComInterface<RecordingFolderView, IFolderView>(),
                                         {}};
  return table;
}

std::wstring RecordingFolderView::NameOf(PCUITEMID_CHILD item) const {
  STRRET name{};
  wchar_t text[MAX_PATH] = L"";
  if (!shellFolder_ || FAILED(shellFolder_->GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) ||
      FAILED(StrRetToBufW(&name, item, text, MAX_PATH)))
    return L"?";
  return text;
}

STDMETHODIMP RecordingFolderView::GetItemPosition(PCUITEMID_CHILD item, POINT* point) {
  auto found = positions.find(NameOf(item));
  if (found == positions.end()) return E_FAIL;
  *point = found->second;
  return S_OK;
}

STDMETHODIMP RecordingFolderView::SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY items, POINT* points,
                                                         DWORD flags) {
  PositionCall call;
  call.flags = flags;
  for (UINT i = 0; i < count; ++i) {
    call.names.push_back(NameOf(items[i]));
    call.points.push_back(points[i]);
  }
  calls.push_back(std::move(call));
  return S_OK;
}

ComPtr<ComObject<RecordingFolderView>> WrapHostedView(ShellViewHost& host) {
  ComPtr<ComObject<RecordingFolderView>> wrapper;
  ComObject<RecordingFolderView>::Create(wrapper, host.view());
  auto* site = static_cast<ShellBrowserSite*>(static_cast<IShellBrowser*>(host.Site()));
  site->SetView(wrapper.get());
  return wrapper;
}
