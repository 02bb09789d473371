#pragma once
// Puts the menu model into real menus for Explorer. Identifiers are handed out from first + 1 in
// menu order; every command entry records its offset from first in the identifier map, submenu
// captions borrow the next identifier without consuming it, and the top-level entry uses first.
#include <windows.h>

#include <cstdint>
#include <map>

#include "atl/Handles.h"
#include "shellext/menu/CommandTable.h"
#include "shellext/menu/MenuModel.h"

class MenuRenderer {
 public:
  // themed: 32-bit bitmaps on the entries; otherwise HBMMENU_CALLBACK with the icon as item data,
  // drawn by the owner through HandleMenuMsg2.
  MenuRenderer(const CommandTable& table, bool themed, UINT first, UINT last);

  // Separator, the "Brivane" entry with the popup built from root, separator, at index of menu.
  // False when the entry could not be inserted.
  bool Insert(HMENU menu, UINT index, const MenuNode& root);

  // Offset from the first identifier -> command, for every command entry inserted.
  const std::map<uint32_t, CommandId>& Commands() const { return commands_; }
  // How many identifiers were handed out, counted from the first.
  UINT Used() const { return next_ - first_; }

 private:
  UniqueMenu BuildPopup(const MenuNode& node);
  bool InsertEntry(HMENU menu, UINT position, const MenuNode& node, UINT id, HMENU submenu);

  const CommandTable& table_;
  bool themed_;
  UINT first_;
  UINT last_;
  UINT next_;
  std::map<uint32_t, CommandId> commands_;
};
