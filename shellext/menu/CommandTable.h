#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "base/CommandId.h"

// Labels, icon slots, icons and their 32-bit menu bitmaps of the 64 commands, for one shell-extension
// object (or one dialog that shows command icons). The icons and bitmaps themselves live in the
// process-wide icon cache (shellext/menu/IconCache.h): made on first use, shared by every table.
class CommandTable {
 public:
  CommandTable();
  CommandTable(const CommandTable&) = delete;
  CommandTable& operator=(const CommandTable&) = delete;

  std::map<CommandId, std::wstring> labels;
  std::map<CommandId, int> iconIndex;

  // The size of the menu's icons and bitmaps: the small-icon size at the menu's DPI (16 at 96 DPI).
  void SetMenuIconSize(int size) { menuIconSize_ = size; }
  int MenuIconSize() const { return menuIconSize_; }

  // Null for slot 0, the unused slots and a resource that cannot be loaded. Menu sized.
  HICON SlotIcon(int slot) const;
  HBITMAP SlotBitmap(int slot) const;
  // The command's icon at 16 x 16, as dialogs and progress windows show it.
  HICON CommandIcon(CommandId id) const;

 private:
  int menuIconSize_ = 16;
};
