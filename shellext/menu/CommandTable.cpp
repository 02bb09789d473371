#include "shellext/menu/CommandTable.h"

#include "shellext/menu/CommandCatalog.h"
#include "shellext/menu/IconCache.h"

CommandTable::CommandTable() {
  for (CommandId id = 0; id < kCommandCount; ++id) {
    if (const wchar_t* label = CommandLabel(id)) labels[id] = label;
    iconIndex[id] = CommandIconSlot(id);
  }
}

HICON CommandTable::SlotIcon(int slot) const { return icon_cache::Icon(slot, menuIconSize_); }

HBITMAP CommandTable::SlotBitmap(int slot) const { return icon_cache::Bitmap(slot, menuIconSize_); }

HICON CommandTable::CommandIcon(CommandId id) const { return icon_cache::Icon(CommandIconSlot(id), 16); }
