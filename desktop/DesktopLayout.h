#pragma once
// Where the desktop's icons go: the four groups, the order inside each, the start point beside the
// taskbar, the 80-pixel grid and each group's panel. Pure arithmetic on the item list and the screen,
// so it needs no shell and no drawing.
#include <windows.h>
#include <shtypes.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What kind of desktop item an icon is.
namespace desktop_kind {
enum : int32_t {
  Virtual = 0,        // no file-system path (the computer, the recycle bin)
  OtherFolder = 1,    // a file-system folder outside both desktop folders
  File = 2,
  DesktopFolder = 3,  // a folder inside the user's or the all-users desktop folder
};
}

// One icon handed to the sorter.
struct DesktopItem {
  PCUITEMID_CHILD item = nullptr;  // borrowed from the view's item array, which outlives the sort
  int32_t kind = desktop_kind::Virtual;
  std::wstring name;               // the display name (kind 0) or the full path
  POINT oldPosition{};             // where the view showed it before the sort
  bool positionKnown = false;      // the view told the old position
};

enum class DesktopGroup { System, Folders, Shortcuts, Files };
constexpr DesktopGroup kDesktopGroups[] = {DesktopGroup::System, DesktopGroup::Folders, DesktopGroup::Shortcuts,
                                           DesktopGroup::Files};
const wchar_t* GroupLabel(DesktopGroup group);

constexpr int kGridStep = 80;
constexpr int kStartMargin = 64;

// The text after the last "." found at index 1 or later; a name without one is its own extension.
std::wstring NameExtension(const std::wstring& name);
// The group an item belongs to; none for an unknown kind.
std::optional<DesktopGroup> GroupOf(int32_t kind, const std::wstring& name);
// The name the group is ordered by: the last path component of a kind 1 folder, else the whole name.
std::wstring_view OrderName(int32_t kind, const std::wstring& name);

struct DesktopScreen {
  int width = 0;   // the primary screen
  int height = 0;
  RECT taskbar{};  // all zero when the taskbar's place is unknown
};

// The first group's grid origin: 64 pixels in from the screen's corner, or from the taskbar's edge when
// the taskbar is on the left or at the top. At least one column always fits.
POINT SortStartPoint(const DesktopScreen& screen);
// Grid columns between x and the screen's right edge; never less than one.
int ColumnCount(int screenWidth, int x);

struct PanelRect {
  int left, top, width, height;
};

// One group as laid out.
struct GroupPlacement {
  DesktopGroup group;
  std::vector<size_t> members;   // indices into the item list, in the group's order
  std::vector<POINT> positions;  // the icon of each member
  int x, y;                      // the grid's origin
  int maxX, maxY;                // the largest icon x and y
  PanelRect panel;
  int nextY;                     // where the next group starts
};

// Lays the items out group by group from the start point. Empty groups are left out and take no space.
std::vector<GroupPlacement> LayOutDesktop(const std::vector<DesktopItem>& items, int screenWidth, POINT start);

// Where a group's label is written, for a label font fontHeight pixels high.
POINT LabelOrigin(const GroupPlacement& placement, int fontHeight);
