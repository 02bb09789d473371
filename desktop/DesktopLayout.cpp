#include "desktop/DesktopLayout.h"

#include <algorithm>
#include <utility>

namespace {

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), DWORD(text.size()));
  return text;
}

// The icons of one group on the grid from (x, y), and the panel around them.
GroupPlacement PlaceGroup(DesktopGroup group, std::vector<size_t> members, int screenWidth, int x, int y) {
  GroupPlacement placement{group, std::move(members), {}, x, y, 0, 0, {}, 0};
  const int columns = ColumnCount(screenWidth, x);
  placement.positions.reserve(placement.members.size());
  for (size_t i = 0; i < placement.members.size(); ++i) {
    POINT at{LONG(x + int(i % columns) * kGridStep), LONG(y + int(i / columns) * kGridStep)};
    placement.maxX = std::max(placement.maxX, int(at.x));
    placement.maxY = std::max(placement.maxY, int(at.y));
    placement.positions.push_back(at);
  }
  placement.panel = {x - 32, y - 32, placement.maxX - x + 96, placement.maxY - y + 112};
  placement.nextY = placement.maxY + 164;
  return placement;
}

}  // namespace

const wchar_t* GroupLabel(DesktopGroup group) {
  switch (group) {
    case DesktopGroup::System: return L"System";
    case DesktopGroup::Folders: return L"Folders";
    case DesktopGroup::Shortcuts: return L"Shortcuts";
    case DesktopGroup::Files: return L"Files";
  }
  return L"";
}

std::wstring NameExtension(const std::wstring& name) {
  size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || dot == 0) return name;
  return name.substr(dot + 1);
}

std::optional<DesktopGroup> GroupOf(int32_t kind, const std::wstring& name) {
  switch (kind) {
    case desktop_kind::Virtual:
    case desktop_kind::OtherFolder: return DesktopGroup::System;
    case desktop_kind::DesktopFolder: return DesktopGroup::Folders;
    case desktop_kind::File: {
      std::wstring extension = Lowered(NameExtension(name));
      return extension == L"lnk" || extension == L"url" ? DesktopGroup::Shortcuts : DesktopGroup::Files;
    }
  }
  return std::nullopt;
}

std::wstring_view OrderName(int32_t kind, const std::wstring& name) {
  std::wstring_view whole(name);
  if (kind != desktop_kind::OtherFolder) return whole;
  size_t slash = whole.rfind(L'\\');
  return slash == std::wstring_view::npos ? whole : whole.substr(slash + 1);
}

int ColumnCount(int screenWidth, int x) { return std::max(1, (screenWidth - x) / kGridStep); }

POINT SortStartPoint(const DesktopScreen& screen) {
  POINT start{kStartMargin, kStartMargin};
  const RECT& bar = screen.taskbar;
  if (bar.right != screen.width && bar.bottom == screen.height)
    start.x = bar.right + kStartMargin;  // on the left
  else if (bar.right == screen.width && bar.bottom != screen.height)
    start.y = bar.bottom + kStartMargin;  // at the top
  // A taskbar that leaves no room on the right still leaves the icons one column on the screen.
  start.x = std::min<LONG>(start.x, std::max(0, screen.width - kGridStep));
  return start;
}

std::vector<GroupPlacement> LayOutDesktop(const std::vector<DesktopItem>& items, int screenWidth, POINT start) {
  // Each group's members with the names they are ordered by (views into the items' names).
  std::vector<std::pair<std::wstring_view, size_t>> keyed[std::size(kDesktopGroups)];
  for (size_t i = 0; i < items.size(); ++i)
    if (std::optional<DesktopGroup> group = GroupOf(items[i].kind, items[i].name))
      keyed[size_t(*group)].emplace_back(OrderName(items[i].kind, items[i].name), i);

  std::vector<GroupPlacement> placements;
  int y = start.y;
  for (DesktopGroup group : kDesktopGroups) {
    auto& members = keyed[size_t(group)];
    if (members.empty()) continue;
    // Ordinal: UTF-16 code units compared as numbers, so "Zeta" comes before "alpha".
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<size_t> order;
    order.reserve(members.size());
    for (const auto& member : members) order.push_back(member.second);
    placements.push_back(PlaceGroup(group, std::move(order), screenWidth, start.x, y));
    y = placements.back().nextY;
  }
  return placements;
}

POINT LabelOrigin(const GroupPlacement& placement, int fontHeight) {
  return {LONG(placement.x - 32), LONG(placement.y - 36 - fontHeight)};
}
