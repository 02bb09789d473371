#include "shellext/com/BrivaneShellExt.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "shellext/com/DropFiles.h"
#include "shellext/com/SelectionAttributes.h"
#include "shellext/menu/MenuContextReader.h"
#include "shellext/menu/MenuRenderer.h"
#include "shellext/settings/UpdaterLauncher.h"

namespace {

constexpr wchar_t kProductName[] = L"Brivane";

bool SystemHasThemes() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwMajorVersion >= 6;
}

}  // namespace

CBrivaneShellExt::CBrivaneShellExt() : engine_(this), progress_(this, &engine_.owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  themed_ = SystemHasThemes();
}

CBrivaneShellExt::~CBrivaneShellExt() {
  try {
    // The schedule belongs to Explorer's menus, not to the programs that call the exported operations.
    if (servesMenu_) RunAutomaticUpdateSchedule();
  } catch (...) {
    // Nothing may leave a destructor that Explorer's Release runs.
  }
}

const InterfaceEntry* CBrivaneShellExt::Interfaces() {
  static const InterfaceEntry table[] = {
      ComInterface<CBrivaneShellExt, IShellExtInit>(),
      ComInterface<CBrivaneShellExt, IContextMenu3>(),
      ComInterface<CBrivaneShellExt, IContextMenu2>(),
      ComInterface<CBrivaneShellExt, IContextMenu>(),
      ComInterface<CBrivaneShellExt, IObjectWithSite>(),
      {},
  };
  return table;
}

STDMETHODIMP CBrivaneShellExt::Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY) {
  desktopBackground_ = false;
  selectionData_.reset();
  if (folder) {
    // A background click: only the desktop's own background gets the menu. The desktop is the one
    // folder the desktop cannot bind to as a child.
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return E_INVALIDARG;
    ComPtr<IShellFolder> bound;
    if (FAILED(desktop->BindToObject(folder, nullptr, IID_IShellFolder, bound.put_void())) || !bound) {
      desktopBackground_ = true;
      return S_OK;
    }
    return E_INVALIDARG;
  }

  if (!data) return E_INVALIDARG;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return E_INVALIDARG;
  PathList paths;
  bool complete = medium.tymed == TYMED_HGLOBAL && ReadDropFiles(medium.hGlobal, paths);
  ReleaseStgMedium(&medium);
  if (paths.empty()) return E_INVALIDARG;
  selection_ = std::move(paths);
  selectionData_ = ComPtr<IDataObject>(data);
  return complete ? S_OK : E_INVALIDARG;
}

MenuContext CBrivaneShellExt::LoadMenuContext() const { return ReadMenuContext(recent_, desktopBackground_); }

STDMETHODIMP CBrivaneShellExt::QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) {
  if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  try {
    // The folder flags of the selection come with the view's items, or else from the items of the data
    // object Initialize had, so that the menu need not ask the disk for every path.
    KnownAttributes known;
    PathList viewSelection;
    if (site_) explorer_.Attach(site_.get());
    if (site_ && explorer_.GetSelectedPaths(viewSelection, &known))
      selection_ = std::move(viewSelection);
    else if (selectionData_ && selection_.size() >= kShellAttributesWorthPaths)
      known = ReadShellAttributes(selectionData_.get(), selection_);
    if (themed_) {
      HTHEME theme = OpenThemeData(nullptr, L"MENU");
      if (theme)
        CloseThemeData(theme);
      else
        themed_ = false;
    }

    identifiers_.clear();
    MenuContext context = LoadMenuContext();
    MenuNode root = BuildMenu(selection_, context, known);

    MenuRenderer renderer(commands_, themed_, first, last);
    if (!renderer.Insert(menu, index, root)) return E_FAIL;
    identifiers_ = renderer.Commands();
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, renderer.Used());
  } catch (...) {
    identifiers_.clear();
    return E_FAIL;
  }
}

STDMETHODIMP CBrivaneShellExt::GetCommandString(UINT_PTR offset, UINT type, UINT*, LPSTR buffer, UINT size) {
  if (offset != 0 || !(type & (GCS_HELPTEXTA | GCS_UNICODE))) return E_INVALIDARG;
  if (!buffer || size == 0) return E_POINTER;
  if (type & GCS_UNICODE) {
    lstrcpynW(reinterpret_cast<LPWSTR>(buffer), kProductName, int(size));
    return S_OK;
  }
  char ansi[64] = "";
  if (!WideCharToMultiByte(CP_THREAD_ACP, 0, kProductName, -1, ansi, sizeof ansi, nullptr, nullptr))
    return E_INVALIDARG;
  lstrcpynA(buffer, ansi, int(size));
  return S_OK;
}

STDMETHODIMP CBrivaneShellExt::HandleMenuMsg(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  return HandleMenuMsg2(message, wparam, lparam, &result);
}

STDMETHODIMP CBrivaneShellExt::HandleMenuMsg2(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  LRESULT handled = 0;
  if (!themed_ && lparam) {
    if (message == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      measure->itemWidth = 5;
      measure->itemHeight = 20;
      handled = 1;
    } else if (message == WM_DRAWITEM) {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (draw->CtlType == ODT_MENU && draw->itemData) {
        DrawIconEx(draw->hDC, 2, 2, reinterpret_cast<HICON>(draw->itemData), 16, 16, 0, nullptr, DI_NORMAL);
        handled = 1;
      }
    }
  }
  if (result) *result = handled;
  return S_OK;
}

STDMETHODIMP CBrivaneShellExt::SetSite(IUnknown* site) {
  if (site != site_.get()) site_ = ComPtr<IUnknown>(site);
  return S_OK;
}

STDMETHODIMP CBrivaneShellExt::GetSite(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!site_) return E_FAIL;
  return site_->QueryInterface(iid, out);
}

void CBrivaneShellExt::ReportProgress(int32_t position, bool hide) { progress_.ReportProgress(position, hide); }
