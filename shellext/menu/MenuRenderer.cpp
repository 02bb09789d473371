#include "shellext/menu/MenuRenderer.h"

#include <algorithm>

namespace {
constexpr size_t kMenuTextBuffer = 256;

void InsertSeparator(HMENU menu, UINT position) {
  InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}
}  // namespace

MenuRenderer::MenuRenderer(const CommandTable& table, bool themed, UINT first, UINT last)
    : table_(table), themed_(themed), first_(first), last_(last), next_(first + 1) {}

bool MenuRenderer::InsertEntry(HMENU menu, UINT position, const MenuNode& node, UINT id, HMENU submenu) {
  wchar_t text[kMenuTextBuffer];
  size_t length = std::min(node.text.size(), kMenuTextBuffer - 1);
  std::copy_n(node.text.c_str(), length, text);
  text[length] = L'\0';

  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING | (submenu ? MIIM_SUBMENU : 0);
  item.fState = node.greyed ? MFS_DISABLED | MFS_GRAYED : 0;
  item.wID = id;
  item.hSubMenu = submenu;
  item.dwTypeData = text;
  // Greyed entries show no icon, so theirs is never made. Themed menus need only the bitmap.
  if (!node.greyed && node.iconSlot != 0) {
    if (themed_) {
      if (HBITMAP bitmap = table_.SlotBitmap(node.iconSlot)) {
        item.fMask |= MIIM_BITMAP;
        item.hbmpItem = bitmap;
      }
    } else if (HICON icon = table_.SlotIcon(node.iconSlot)) {
      item.fMask |= MIIM_BITMAP;
      item.hbmpItem = HBMMENU_CALLBACK;
      item.dwItemData = reinterpret_cast<ULONG_PTR>(icon);
    }
  }
  return InsertMenuItemW(menu, position, TRUE, &item) != FALSE;
}

UniqueMenu MenuRenderer::BuildPopup(const MenuNode& node) {
  UniqueMenu popup(CreatePopupMenu());
  if (!popup) return popup;
  UINT position = 0;
  for (const MenuNode& child : node.children) {
    switch (child.kind) {
      case MenuNode::Kind::Separator:
        InsertSeparator(popup.get(), position++);
        break;
      case MenuNode::Kind::Command:
        // Identifiers past the range Explorer gave belong to other handlers: such entries are left out.
        if (next_ > last_) break;
        if (InsertEntry(popup.get(), position, child, next_, nullptr)) {
          commands_[next_ - first_] = child.command;
          ++position;
          ++next_;
        }
        break;
      case MenuNode::Kind::Submenu: {
        UINT caption = next_;  // shared with the submenu's first command
        UniqueMenu submenu = BuildPopup(child);
        if (submenu && InsertEntry(popup.get(), position, child, caption, submenu.get())) {
          submenu.release();  // owned by its parent menu now
          ++position;
        }
        break;
      }
    }
  }
  return popup;
}

bool MenuRenderer::Insert(HMENU menu, UINT index, const MenuNode& root) {
  UniqueMenu popup = BuildPopup(root);
  if (!popup) return false;
  InsertSeparator(menu, index);
  if (!InsertEntry(menu, index + 1, root, first_, popup.get())) {
    DeleteMenu(menu, index, MF_BYPOSITION);
    commands_.clear();
    next_ = first_ + 1;
    return false;
  }
  popup.release();
  InsertSeparator(menu, index + 2);
  return true;
}
