#include "ShellExtFixture.h"

#include <cstring>

#include "atl/ComObject.h"
#include "tools/explorer/MenuReader.h"

namespace {

class DropData : public ComObjectRoot, public IDataObject {
 public:
  DropData(std::vector<std::wstring> paths, bool offerDrop)
      : ComObjectRoot(false), paths_(std::move(paths)), offerDrop_(offerDrop) {}

  static const InterfaceEntry* Interfaces() {
    static const InterfaceEntry table[] = {ComInterface<DropData, IDataObject>(), {}};
    return table;
  }

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!offerDrop_ || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    size_t characters = 1;
    for (const std::wstring& path : paths_) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths_) {
      std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
      text += path.size() + 1;
    }
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    return offerDrop_ && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::wstring> paths_;
  bool offerDrop_;
};

void CollectCommands(HMENU menu, std::vector<ReadItem>& items) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    ReadItem item = ReadMenuItem(menu, UINT(i));
    if (item.info.hSubMenu)
      CollectCommands(item.info.hSubMenu, items);
    else if (!item.separator())
      items.push_back(item);
  }
}

}  // namespace

ComPtr<BrivaneShellExtObject> MakeShellExt() {
  ComPtr<BrivaneShellExtObject> object;
  BrivaneShellExtObject::Create(object);
  return object;
}

ComPtr<IDataObject> MakeDropData(const std::vector<std::wstring>& paths, bool offerDrop) {
  ComPtr<ComObject<DropData>> data;
  ComObject<DropData>::Create(data, paths, offerDrop);
  return ComPtr<IDataObject>(data.get());
}

ReadItem ReadMenuItem(HMENU menu, UINT position) {
  ReadItem item;
  wchar_t text[512] = L"";
  item.info.cbSize = sizeof item.info;
  item.info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING | MIIM_BITMAP;
  item.info.dwTypeData = text;
  item.info.cch = 512;
  GetMenuItemInfoW(menu, position, TRUE, &item.info);
  item.text = text;
  item.info.dwTypeData = nullptr;
  return item;
}

std::wstring RealMenuTreeText(HMENU menu, const std::wstring& rootText) {
  // Read back the way the Explorer stand-in prints it.
  MenuNode root;
  root.kind = MenuNode::Kind::Submenu;
  root.text = rootText;
  root.children = ReadMenu(menu);
  return MenuTreeText(root);
}

std::vector<ReadItem> CommandItems(HMENU menu) {
  std::vector<ReadItem> items;
  CollectCommands(menu, items);
  return items;
}

bool FindItem(HMENU menu, const std::wstring& text, ReadItem& found) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    ReadItem item = ReadMenuItem(menu, UINT(i));
    if (item.text == text) {
      found = item;
      return true;
    }
    if (item.info.hSubMenu && FindItem(item.info.hSubMenu, text, found)) return true;
  }
  return false;
}

HMENU BrivanePopup(HMENU host, UINT index) { return ReadMenuItem(host, index + 1).info.hSubMenu; }

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ShellExtFixture::SetUp() {
  CoInitialize(nullptr);
  object_ = MakeShellExt();
  ASSERT_TRUE(object_);
}

void ShellExtFixture::TearDown() {
  object_.reset();
  host_.reset();
  CoUninitialize();
}

HRESULT ShellExtFixture::Query(const PathList& paths, UINT flags, UINT last) {
  EXPECT_EQ(object_->Initialize(nullptr, MakeDropData(paths).get(), nullptr), S_OK);
  return QueryAgain(flags, last);
}

HRESULT ShellExtFixture::QueryAgain(UINT flags, UINT last) {
  host_.reset(CreatePopupMenu());
  AppendMenuW(host_.get(), MF_STRING, 1, L"Open");
  AppendMenuW(host_.get(), MF_STRING, 2, L"Properties");
  return object_->QueryContextMenu(host_.get(), 1, kFirst, last, flags);
}

UINT ShellExtFixture::OffsetOf(const std::wstring& text) const {
  ReadItem item;
  EXPECT_TRUE(FindItem(Popup(), text, item)) << Narrow(text);
  return item.info.wID - kFirst;
}

HRESULT ShellExtFixture::Invoke(UINT_PTR offset, HWND owner) {
  CMINVOKECOMMANDINFO info{sizeof info};
  info.hwnd = owner;
  info.lpVerb = reinterpret_cast<LPCSTR>(offset);
  info.nShow = SW_SHOWNORMAL;
  return object_->InvokeCommand(&info);
}
