#pragma once
// A thin wrapper around a real shell view for the three calls Wine's view does not implement:
// GetItemPosition is answered from positions the test sets, GetAutoArrange with the state the test
// sets, and SelectAndPositionItems is recorded. Every other call goes to the real view.
#include <windows.h>
#include <shobjidl.h>

#include <map>
#include <string>
#include <vector>

#include "atl/ComObject.h"
#include "atl/ComPtr.h"
#include "support/ShellViewHost.h"

struct PositionCall {
  std::vector<std::wstring> names;  // the items' file names (parsing names for virtual items)
  std::vector<POINT> points;
  DWORD flags = 0;
};

class RecordingFolderView : public ComObjectRoot, public IShellView, public IFolderView {
 public:
  explicit RecordingFolderView(IShellView* real);
  static const InterfaceEntry* Interfaces();

  // What the wrapper answers and what it saw.
  std::map<std::wstring, POINT> positions;  // by item name; items not listed have no known position
  HRESULT autoArrange = S_FALSE;
  std::vector<PositionCall> calls;
  // The item's name as the calls record it.
  std::wstring NameOf(PCUITEMID_CHILD item) const;

  // IOleWindow, IShellView
  STDMETHODIMP GetWindow(HWND* window) override { return view_->GetWindow(window); }
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override { return view_->ContextSensitiveHelp(enter); }
  STDMETHODIMP TranslateAccelerator(MSG* message) override { return view_->TranslateAccelerator(message); }
  STDMETHODIMP EnableModeless(BOOL enable) override { return view_->EnableModeless(enable); }
  STDMETHODIMP UIActivate(UINT state) override { return view_->UIActivate(state); }
  STDMETHODIMP Refresh() override { return view_->Refresh(); }
  STDMETHODIMP CreateViewWindow(IShellView* previous, LPCFOLDERSETTINGS settings, IShellBrowser* browser,
                                RECT* area, HWND* window) override {
    return view_->CreateViewWindow(previous, settings, browser, area, window);
  }
  STDMETHODIMP DestroyViewWindow() override { return view_->DestroyViewWindow(); }
  STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS settings) override { return view_->GetCurrentInfo(settings); }
  STDMETHODIMP AddPropertySheetPages(DWORD reserved, LPFNSVADDPROPSHEETPAGE add, LPARAM param) override {
    return view_->AddPropertySheetPages(reserved, add, param);
  }
  STDMETHODIMP SaveViewState() override { return view_->SaveViewState(); }
  STDMETHODIMP SelectItem(PCUITEMID_CHILD item, SVSIF flags) override { return view_->SelectItem(item, flags); }
  STDMETHODIMP GetItemObject(UINT which, REFIID iid, void** out) override {
    return view_->GetItemObject(which, iid, out);
  }

  // IFolderView
  STDMETHODIMP GetCurrentViewMode(UINT* mode) override { return folder_->GetCurrentViewMode(mode); }
  STDMETHODIMP SetCurrentViewMode(UINT mode) override { return folder_->SetCurrentViewMode(mode); }
  STDMETHODIMP GetFolder(REFIID iid, void** out) override { return folder_->GetFolder(iid, out); }
  STDMETHODIMP Item(int index, PITEMID_CHILD* item) override { return folder_->Item(index, item); }
  STDMETHODIMP ItemCount(UINT which, int* count) override { return folder_->ItemCount(which, count); }
  STDMETHODIMP Items(UINT which, REFIID iid, void** out) override { return folder_->Items(which, iid, out); }
  STDMETHODIMP GetSelectionMarkedItem(int* index) override { return folder_->GetSelectionMarkedItem(index); }
  STDMETHODIMP GetFocusedItem(int* index) override { return folder_->GetFocusedItem(index); }
  STDMETHODIMP GetSpacing(POINT* spacing) override { return folder_->GetSpacing(spacing); }
  STDMETHODIMP GetDefaultSpacing(POINT* spacing) override { return folder_->GetDefaultSpacing(spacing); }
  STDMETHODIMP SelectItem(int index, DWORD flags) override { return folder_->SelectItem(index, flags); }
  STDMETHODIMP GetItemPosition(PCUITEMID_CHILD item, POINT* point) override;
  STDMETHODIMP GetAutoArrange() override { return autoArrange; }
  STDMETHODIMP SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY items, POINT* points, DWORD flags) override;

 private:
  ComPtr<IShellView> view_;
  ComPtr<IFolderView> folder_;
  ComPtr<IShellFolder> shellFolder_;
};

// Wraps the host's real view and makes the host's browser hand out the wrapper as its active view, so
// that a handler attached to the host's site works through it. Keep it until the host is gone.
ComPtr<ComObject<RecordingFolderView>> WrapHostedView(ShellViewHost& host);
