#include "shellext/com/BrivaneShellExt.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <string_view>
#include <unordered_map>

#include "base/ParentFolder.h"
#include "shellext/com/DropFiles.h"
#include "shellext/com/SelectionAttributes.h"
#include "shellext/menu/MenuContextReader.h"
#include "shellext/menu/MenuIcons.h"
#include "shellext/menu/MenuRenderer.h"
#include "shellext/settings/UpdaterLauncher.h"

namespace {

constexpr wchar_t kProductName[] = L"Brivane";

bool SystemHasThemes() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwMajorVersion >= 6;
}

// The same paths, each as often, in any order. Counted by hash rather than sorted: thousands of long
// paths that share their folder make sorting them the costliest step of a right-click.
bool SameItems(const PathList& a, const PathList& b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  std::unordered_map<std::wstring_view, ptrdiff_t> counts;
  counts.reserve(a.size());
  for (const std::wstring& path : a) ++counts[path];
  for (const std::wstring& path : b) {
    auto found = counts.find(path);
    if (found == counts.end() || found->second-- == 0) return false;
  }
  return true;
}

bool HandleOwnerDrawn(UINT message, LPARAM lparam, int iconSize) {
  if (message == WM_MEASUREITEM) return MeasureMenuIcon(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam), iconSize);
  if (message == WM_DRAWITEM) return DrawMenuIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), iconSize);
  return false;
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
  try {
    desktopBackground_ = false;
    selectionData_.reset();
    handed_ = DroppedFiles();
    selection_.clear();
    // Items come with a data object; some Explorer versions pass their folder as well. Only a click on
    // a background comes with the folder alone.
    if (data) return InitializeItems(data);
    if (folder) return InitializeBackground(folder);
    return E_INVALIDARG;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT CBrivaneShellExt::InitializeBackground(PCIDLIST_ABSOLUTE folder) {
  // Only the desktop's own background gets the menu. The desktop is the one folder the desktop cannot
  // bind to as a child.
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put()))) return E_INVALIDARG;
  ComPtr<IShellFolder> bound;
  if (FAILED(desktop->BindToObject(folder, nullptr, IID_IShellFolder, bound.put_void())) || !bound) {
    desktopBackground_ = true;
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT CBrivaneShellExt::InitializeItems(IDataObject* data) {
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return E_INVALIDARG;
  DroppedFiles dropped(medium);
  if (dropped.paths().empty()) return E_INVALIDARG;
  bool complete = dropped.complete();
  handed_ = std::move(dropped);
  selectionData_ = ComPtr<IDataObject>(data);
  return complete ? S_OK : E_INVALIDARG;
}

// What the shell already holds about the items saves asking the disk for each: through the view's own
// folder when it shows them, by binding their folder only for selections large enough to repay it.
// On a share the view's records serve for any number: the disk there is not asked at all, and without
// them the name alone would have to tell files from folders.
KnownAttributes CBrivaneShellExt::ShellHeldAttributes(const PathViews& items) {
  if (!selectionData_ || items.empty()) return {};
  ComPtr<IShellFolder> viewFolder = site_ ? explorer_.ViewFolder() : ComPtr<IShellFolder>();
  bool worthIt = items.size() >= kShellAttributesWorthPaths || (viewFolder && IsNetworkPath(items.front()));
  if (!worthIt) return {};
  bool mayBind = items.size() >= kShellAttributesWorthBinding;
  return ReadShellAttributes(selectionData_.get(), items, viewFolder.get(), mayBind);
}

const PathList& CBrivaneShellExt::CommandSelection() {
  const PathViews& handed = handed_.paths();
  if (handed.empty()) return selection_;
  selection_.assign(handed.begin(), handed.end());
  // The view the items were clicked in gives their order, but only when it shows the same items: a
  // right-click in the navigation pane leaves the view's own selection as it was. Asked here rather
  // than for the menu: the view answers slowly for thousands of items, and only a command needs it.
  PathList viewSelection;
  if (site_ && explorer_.GetSelectedPaths(viewSelection) && SameItems(viewSelection, selection_))
    selection_ = std::move(viewSelection);
  return selection_;
}

STDMETHODIMP CBrivaneShellExt::QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) {
  if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  try {
    // The items Explorer handed over are the selection; commands take them in the view's order.
    if (site_) explorer_.Attach(site_.get());
    const PathViews& items = handed_.paths();
    KnownAttributes known = desktopBackground_ ? KnownAttributes{} : ShellHeldAttributes(items);
    commands_.SetMenuIconSize(SmallIconSize(WindowDpi(explorer_.Window())));
    if (themed_) {
      HTHEME theme = OpenThemeData(nullptr, L"MENU");
      if (theme)
        CloseThemeData(theme);
      else
        themed_ = false;
    }

    identifiers_.clear();
    MenuContext context = ReadMenuContext(desktopBackground_);
    MenuNode root = BuildMenu(items, context, known);
    shownRecentCopy_ = std::move(context.recentCopy);
    shownRecentMove_ = std::move(context.recentMove);

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
  try {
    switch (type) {
      case GCS_VALIDATEA:
      case GCS_VALIDATEW:
        return offset == 0 || identifiers_.count(uint32_t(offset)) ? S_OK : S_FALSE;
      case GCS_HELPTEXTA:
      case GCS_HELPTEXTW:
        break;
      default:
        // No entry has a language-independent verb.
        return E_INVALIDARG;
    }
    // Only the "Brivane" entry has a help text.
    if (offset != 0) return E_INVALIDARG;
    if (!buffer || size == 0) return E_POINTER;
    if (type == GCS_HELPTEXTW) {
      lstrcpynW(reinterpret_cast<LPWSTR>(buffer), kProductName, int(size));
      return S_OK;
    }
    char ansi[64] = "";
    if (!WideCharToMultiByte(CP_THREAD_ACP, 0, kProductName, -1, ansi, sizeof ansi, nullptr, nullptr))
      return E_INVALIDARG;
    lstrcpynA(buffer, ansi, int(size));
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP CBrivaneShellExt::HandleMenuMsg(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  return HandleMenuMsg2(message, wparam, lparam, &result);
}

STDMETHODIMP CBrivaneShellExt::HandleMenuMsg2(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  try {
    if (result) *result = 0;
    // Themed menus show bitmaps and draw nothing themselves; the rest is not ours either.
    bool handled = !themed_ && lparam && HandleOwnerDrawn(message, lparam, commands_.MenuIconSize());
    if (!handled) return E_NOTIMPL;
    if (result) *result = TRUE;
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP CBrivaneShellExt::SetSite(IUnknown* site) {
  try {
    if (site != site_.get()) site_ = ComPtr<IUnknown>(site);
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP CBrivaneShellExt::GetSite(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!site_) return E_FAIL;
  try {
    return site_->QueryInterface(iid, out);
  } catch (...) {
    return E_FAIL;
  }
}

void CBrivaneShellExt::ReportProgress(int32_t position, bool hide) { progress_.ReportProgress(position, hide); }
