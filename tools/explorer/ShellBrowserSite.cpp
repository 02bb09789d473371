#include "tools/explorer/ShellBrowserSite.h"

HRESULT ShellBrowserSite::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellBrowser) {
    *object = static_cast<IShellBrowser*>(this);
  } else if (riid == IID_IServiceProvider) {
    *object = static_cast<IServiceProvider*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT ShellBrowserSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = frame_;
  return frame_ ? S_OK : E_FAIL;
}

HRESULT ShellBrowserSite::GetControlWindow(UINT, HWND* window) {
  if (window) *window = nullptr;
  return E_NOTIMPL;
}

HRESULT ShellBrowserSite::SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result) *result = 0;
  return E_NOTIMPL;
}

HRESULT ShellBrowserSite::QueryActiveShellView(IShellView** view) {
  if (!view) return E_POINTER;
  *view = view_;
  if (!view_) return E_FAIL;
  view_->AddRef();
  return S_OK;
}

HRESULT ShellBrowserSite::QueryService(REFGUID service, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (service == SID_STopLevelBrowser || service == SID_SShellBrowser) return QueryInterface(riid, object);
  return E_NOINTERFACE;
}
