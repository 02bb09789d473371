#include "desktop/DesktopSorter.h"

#include <commctrl.h>

#include <memory>

#include "base/Prompt.h"
#include "base/Trace.h"
#include "desktop/WallpaperFile.h"
#include "desktop/WallpaperPainter.h"
#include "desktop/WallpaperSettings.h"

namespace {

// The desktop view's own commands: auto-arrange and align-to-grid toggle, on systems from version 6 on
// and before it; and the command newer systems get after the toggles.
constexpr WORD kToggleAutoArrange = 0x7071, kToggleAutoArrangeOlder = 0x7051;
constexpr WORD kToggleSnapToGrid = 0x7074, kToggleSnapToGridOlder = 0x7054;
constexpr WORD kAfterToggles = 0x7050;

std::wstring LoweredExtension(const std::wstring& path) {
  std::wstring extension = NameExtension(path);
  if (!extension.empty()) CharLowerBuffW(extension.data(), DWORD(extension.size()));
  return extension;
}

}  // namespace

DesktopSorter::DesktopSorter(IFolderView* view, const DesktopPlatform& platform)
    : view_(view), platform_(platform), settings_(DefaultDesktopSortSettings()) {}

DesktopSorter::~DesktopSorter() = default;

void DesktopSorter::AddItem(PCUITEMID_CHILD item, int32_t kind, const std::wstring& name) {
  DesktopItem added;
  added.item = item;
  added.kind = kind;
  added.name = name;
  if (view_ && item) added.positionKnown = view_->GetItemPosition(item, &added.oldPosition) == S_OK;
  items_.push_back(std::move(added));
}

void DesktopSorter::SendViewCommand(HWND window, WORD modern, WORD older) const {
  SendMessageW(window, WM_COMMAND, platform_.MajorVersion() >= 6 ? modern : older, 0);
}

DesktopSorter::ViewState DesktopSorter::PrepareView() {
  ViewState state;
  if (!view_) return state;
  state.window = platform_.DesktopViewWindow();
  if (!state.window) return state;
  // S_OK says auto-arrange is on; S_FALSE, also a success, says it is off, and the toggle would turn it on.
  if (view_->GetAutoArrange() == S_OK) {
    state.autoArrange = true;
    SendViewCommand(state.window, kToggleAutoArrange, kToggleAutoArrangeOlder);
  }
  HWND list = FindWindowExW(state.window, nullptr, WC_LISTVIEWW, nullptr);
  if (list && (SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SNAPTOGRID)) {
    state.snapToGrid = true;
    SendViewCommand(state.window, kToggleSnapToGrid, kToggleSnapToGridOlder);
  }
  if (platform_.MajorVersion() >= 6) SendMessageW(state.window, WM_COMMAND, kAfterToggles, 0);
  return state;
}

void DesktopSorter::RestoreView(const ViewState& state) {
  if (!state.window) return;
  if (state.autoArrange) SendViewCommand(state.window, kToggleAutoArrange, kToggleAutoArrangeOlder);
  if (state.snapToGrid) SendViewCommand(state.window, kToggleSnapToGrid, kToggleSnapToGridOlder);
}

void DesktopSorter::PositionIcons(const std::vector<PCUITEMID_CHILD>& items, std::vector<POINT>& positions) const {
  if (!view_ || items.empty()) return;
  HRESULT result = view_->SelectAndPositionItems(UINT(items.size()), const_cast<PCUITEMID_CHILD_ARRAY>(items.data()),
                                                 positions.data(), SVSI_NOSTATECHANGE);
  if (FAILED(result)) trace::Write(L"DesktopSorter::Sort: the view did not move the icons");
}

void DesktopSorter::RestoreIcons() const {
  std::vector<PCUITEMID_CHILD> items;
  std::vector<POINT> positions;
  for (const DesktopItem& item : items_)
    if (item.positionKnown) {
      items.push_back(item.item);
      positions.push_back(item.oldPosition);
    }
  PositionIcons(items, positions);
}

void DesktopSorter::RestoreWallpaper(const std::wstring& previous, int previousStyle) const {
  SetWallpaperStyle(previousStyle);
  if (platform_.MajorVersion() >= 6 || LoweredExtension(previous) == L"bmp")
    platform_.SetWallpaper(previous);
  else
    platform_.SetWallpaperThroughActiveDesktop(previous);
}

DesktopSorter::Outcome DesktopSorter::Sort(const DesktopSortSettings& settings) {
  settings_ = settings;
  // The wallpaper before the first of a run of redos: painted when the record says so, and stored.
  const std::wstring previous = GetPreviousWallpaperPath(settings_);
  // The wallpaper showing now, which an undo puts back (after a redo, the generated one).
  const std::wstring showing = CurrentWallpaperPath();
  const int showingStyle = GetWallpaperStyle();
  if (items_.empty()) return Outcome::NothingToSort;

  const ViewState view = PrepareView();
  const DesktopScreen screen = platform_.PrimaryScreen();
  const std::vector<GroupPlacement> placements = LayOutDesktop(items_, screen.width, SortStartPoint(screen));

  WallpaperFile file(platform_.PicturesFolder(), platform_.TemporaryFolder());
  bool wallpaperWritten = false;
  {
    GdiplusSession gdiplus;
    std::unique_ptr<WallpaperPainter> painter;
    std::unique_ptr<Gdiplus::Bitmap> canvas;
    std::unique_ptr<Gdiplus::Graphics> graphics;
    if (gdiplus.Running()) {
      HWND desktop = GetDesktopWindow();
      HDC fontDc = GetDC(desktop);
      painter = std::make_unique<WallpaperPainter>(settings_, fontDc);
      ReleaseDC(desktop, fontDc);
      SIZE size = platform_.VirtualScreen();
      canvas = WallpaperPainter::MakeCanvas(size.cx, size.cy);
      graphics = std::make_unique<Gdiplus::Graphics>(canvas.get());
      painter->DrawBackground(*graphics, screen.width, screen.height, settings_.useWallpaper != 0, previous,
                              GetSystemBackgroundColor());
    }
    for (const GroupPlacement& placement : placements) {
      if (painter) painter->DrawGroup(*graphics, placement);
      std::vector<PCUITEMID_CHILD> items;
      for (size_t member : placement.members) items.push_back(items_[member].item);
      std::vector<POINT> positions = placement.positions;
      PositionIcons(items, positions);
    }
    if (painter) {
      if (painter->FirstFailure() != Gdiplus::Ok)
        trace::Write(L"DesktopSorter::Sort: GDI+ status ", std::to_wstring(int(painter->FirstFailure())));
      graphics.reset();
      wallpaperWritten = file.Replace([&](const std::wstring& path) { return SaveCanvasAsBmp(*canvas, path); });
    }
  }
  if (wallpaperWritten) {
    SetWallpaperStyle(wallpaper_style::Tiled);
    platform_.SetWallpaper(file.Target());
  }

  if (doNotAsk_ || Prompt(platform_.QuestionOwner(), kQuestion, kCaption, MB_YESNO) == IDYES) return Outcome::Kept;

  // The user's own file goes back before the wallpaper is set again (it may be the wallpaper showing);
  // a file this sort made goes once it is no longer the wallpaper.
  if (file.ReplacedExisting()) file.Restore();
  RestoreWallpaper(showing, showingStyle);
  file.Restore();
  RestoreIcons();
  RestoreView(view);
  return Outcome::Undone;
}
