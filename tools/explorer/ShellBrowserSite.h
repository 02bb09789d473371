#pragma once
// What Explorer's window is to a shell view and to a context-menu handler: the IShellBrowser that hosts
// the view, reached through IServiceProvider as SID_STopLevelBrowser. The folder window owns it; a
// handler may still hold it after the window has gone, and then finds no window and no view, and the
// last release frees it. While the window lives the count only keeps the books.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

class ShellBrowserSite : public IShellBrowser, public IServiceProvider {
 public:
  static ShellBrowserSite* Create() { return new ShellBrowserSite(); }
  // The owner lets go: the site forgets its window and view and goes with the last reference.
  void Orphan() {
    frame_ = nullptr;
    view_ = nullptr;
    if (InterlockedExchange(&orphaned_, 1) == 0 && references_ <= 0) delete this;
  }

  void SetWindow(HWND frame) { frame_ = frame; }
  void SetView(IShellView* view) { view_ = view; }
  LONG references() const { return references_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0 && orphaned_) delete this;
    return ULONG(left);
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IShellBrowser: a frame without menus, toolbars or status bar.
  HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModelessSB(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
  // One folder per window: Wine's view opens folders in a window of its own rather than browsing here.
  HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND* window) override;
  HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override;
  HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }

  // IServiceProvider
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** object) override;

 private:
  ShellBrowserSite() = default;
  virtual ~ShellBrowserSite() = default;

  LONG references_ = 0;
  LONG orphaned_ = 0;
  HWND frame_ = nullptr;
  IShellView* view_ = nullptr;  // owned by FolderWindow, which clears it before the view goes
};
