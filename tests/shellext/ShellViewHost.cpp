#include "ShellViewHost.h"

#include <commctrl.h>
#include <shlguid.h>

#include "atl/ComObject.h"

namespace {

// The least of Explorer's browser that a shell view and a context-menu handler use.
class TestBrowser : public ComObjectRoot, public IShellBrowser, public IServiceProvider {
 public:
  explicit TestBrowser(HWND window) : ComObjectRoot(false), window_(window) {}

  static const InterfaceEntry* Interfaces() {
    static const InterfaceEntry table[] = {ComInterface<TestBrowser, IShellBrowser>(),
                                           ComInterface<TestBrowser, IOleWindow>(IID_IOleWindow),
                                           ComInterface<TestBrowser, IServiceProvider>(), {}};
    return table;
  }

  void SetView(IShellView* view) { view_ = ComPtr<IShellView>(view); }
  void Forget() { view_.reset(); }

  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
  STDMETHODIMP RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
  STDMETHODIMP EnableModelessSB(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
  STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
  STDMETHODIMP GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
  STDMETHODIMP GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
  STDMETHODIMP SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryActiveShellView(IShellView** view) override {
    *view = view_.get();
    if (!view_) return E_FAIL;
    view_->AddRef();
    return S_OK;
  }
  STDMETHODIMP OnViewWindowActive(IShellView*) override { return S_OK; }
  STDMETHODIMP SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }
  STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override {
    if (service == SID_STopLevelBrowser) return static_cast<IShellBrowser*>(this)->QueryInterface(iid, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }

 private:
  HWND window_;
  ComPtr<IShellView> view_;
};

PIDLIST_RELATIVE ParseName(IShellFolder* folder, const std::wstring& name) {
  PIDLIST_RELATIVE item = nullptr;
  std::wstring copy = name;
  if (FAILED(folder->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &item, nullptr))) return nullptr;
  return item;
}

}  // namespace

ShellViewHost::ShellViewHost(const std::wstring& folder) {
  ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.put());
  if (folder.empty()) {
    folder_ = desktop;
  } else {
    PIDLIST_RELATIVE location = ParseName(desktop.get(), folder);
    if (!location) return;
    desktop->BindToObject(location, nullptr, IID_IShellFolder, folder_.put_void());
    CoTaskMemFree(location);
  }
  if (!folder_) return;

  window_ = CreateWindowExW(0, L"STATIC", L"Brivane test view", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                            nullptr, nullptr, nullptr, nullptr);
  ComPtr<ComObject<TestBrowser>> browser;
  ComObject<TestBrowser>::Create(browser, window_);
  browser_ = ComPtr<IUnknown>(static_cast<IShellBrowser*>(browser.get()));
  if (FAILED(folder_->CreateViewObject(window_, IID_IShellView, view_.put_void()))) return;
  browser->SetView(view_.get());
  FOLDERSETTINGS settings{FVM_DETAILS, 0};
  RECT area{0, 0, 640, 480};
  HWND viewWindow = nullptr;
  if (FAILED(view_->CreateViewWindow(nullptr, &settings, browser.get(), &area, &viewWindow))) {
    view_.reset();
    return;
  }
  view_->UIActivate(SVUIA_ACTIVATE_FOCUS);
  Pump();
  listView_ = FindWindowExW(viewWindow, nullptr, WC_LISTVIEWW, nullptr);
}

ShellViewHost::~ShellViewHost() {
  if (view_) {
    view_->UIActivate(SVUIA_DEACTIVATE);
    view_->DestroyViewWindow();
  }
  if (browser_) {
    ComPtr<IShellBrowser> browser = browser_.As<IShellBrowser>();
    static_cast<TestBrowser*>(browser.get())->Forget();
  }
  view_.reset();
  if (window_) DestroyWindow(window_);
  Pump();
}

IUnknown* ShellViewHost::Site() const { return browser_.get(); }

void ShellViewHost::ServeView(IShellView* view) {
  ComPtr<IShellBrowser> browser = browser_.As<IShellBrowser>();
  if (browser) static_cast<TestBrowser*>(browser.get())->SetView(view ? view : view_.get());
}

void ShellViewHost::Pump() const {
  MSG message;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

std::wstring ShellViewHost::ItemText(int index) const {
  wchar_t text[MAX_PATH] = L"";
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  SendMessageW(listView_, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::wstring> ShellViewHost::AllNames() const {
  std::vector<std::wstring> names;
  int count = int(SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) names.push_back(ItemText(i));
  return names;
}

std::vector<std::wstring> ShellViewHost::SelectedNames() const {
  std::vector<std::wstring> names;
  int index = -1;
  while ((index = int(SendMessageW(listView_, LVM_GETNEXTITEM, index, LVNI_SELECTED))) != -1)
    names.push_back(ItemText(index));
  return names;
}

int ShellViewHost::IndexOf(const std::wstring& name) const {
  std::vector<std::wstring> names = AllNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return int(i);
  return -1;
}

void ShellViewHost::Select(const std::vector<std::wstring>& names) const {
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED;
  SendMessageW(listView_, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&clear));
  for (const std::wstring& name : names) {
    int index = IndexOf(name);
    if (index < 0) continue;
    LVITEMW select{};
    select.stateMask = select.state = LVIS_SELECTED;
    SendMessageW(listView_, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&select));
  }
  Pump();
}

void ShellViewHost::SelectAll() const {
  LVITEMW select{};
  select.stateMask = select.state = LVIS_SELECTED;
  SendMessageW(listView_, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&select));
  Pump();
}

ComPtr<IDataObject> ShellViewHost::DataObjectFor(const std::vector<std::wstring>& names) const {
  std::vector<PCUITEMID_CHILD> items;
  for (const std::wstring& name : names)
    if (PIDLIST_RELATIVE item = ParseName(folder_.get(), name)) items.push_back(item);
  ComPtr<IDataObject> data;
  folder_->GetUIObjectOf(window_, UINT(items.size()), items.data(), IID_IDataObject, nullptr, data.put_void());
  for (PCUITEMID_CHILD item : items) CoTaskMemFree(const_cast<ITEMIDLIST*>(item));
  return data;
}
