#pragma once
// Sorts the desktop's icons into the four labelled groups, paints the matching wallpaper, shows the
// result and asks whether to keep it; "No" puts back the icons, the wallpaper with its style, and the
// view's auto-arrange and align-to-grid.
//
//   DesktopSorter sorter(folderView);
//   sorter.AddItem(item, desktop_kind::File, L"C:\\Users\\me\\Desktop\\a.txt");   // for every icon
//   if (sorter.Sort(settings) == DesktopSorter::Outcome::Kept) Store(sorter.Settings());
#include <windows.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "desktop/DesktopLayout.h"
#include "desktop/DesktopPlatform.h"
#include "desktop/DesktopSortSettings.h"

class DesktopSorter {
 public:
  enum class Outcome {
    NothingToSort,  // no icons: nothing was changed and nothing asked
    Kept,           // the user kept the sort, or was not asked: Settings() is the record to store
    Undone,         // the user said No and the desktop is back as it was
  };

  // The view is not owned and may be null (then no icon is read or moved).
  explicit DesktopSorter(IFolderView* view, const DesktopPlatform& platform = SystemDesktopPlatform());
  virtual ~DesktopSorter();
  DesktopSorter(const DesktopSorter&) = delete;
  DesktopSorter& operator=(const DesktopSorter&) = delete;

  // Adds an icon, with the position the view shows it at now.
  void AddItem(PCUITEMID_CHILD item, int32_t kind, const std::wstring& name);
  // Keep the sort without asking (a redo from outside).
  void SetDoNotAsk(bool doNotAsk) { doNotAsk_ = doNotAsk; }

  Outcome Sort(const DesktopSortSettings& settings);

  // The record the sort ran with, its previous wallpaper path filled in when it fits.
  const DesktopSortSettings& Settings() const { return settings_; }
  const std::vector<DesktopItem>& Items() const { return items_; }

  static constexpr wchar_t kQuestion[] = L"Do you want to save changes?";
  static constexpr wchar_t kCaption[] = L"Brivane - Sort Desktop";

 private:
  // Auto-arrange and align-to-grid, as they were before the sort.
  struct ViewState {
    HWND window = nullptr;
    bool autoArrange = false;
    bool snapToGrid = false;
  };
  ViewState PrepareView();
  void RestoreView(const ViewState& state);
  void SendViewCommand(HWND window, WORD modern, WORD older) const;
  // Moves the icons in one call; items whose old position the view did not tell are left where they are.
  void PositionIcons(const std::vector<PCUITEMID_CHILD>& items, std::vector<POINT>& positions) const;
  void RestoreIcons() const;
  void RestoreWallpaper(const std::wstring& previous, int previousStyle) const;

  IFolderView* view_;
  const DesktopPlatform& platform_;
  DesktopSortSettings settings_;
  std::vector<DesktopItem> items_;
  bool doNotAsk_ = false;
};
