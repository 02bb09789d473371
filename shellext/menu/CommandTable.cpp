#include "shellext/menu/CommandTable.h"

#include <gdiplus.h>

#include "atl/Module.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/menu/MenuBitmap.h"

namespace {
bool UsedSlot(int slot) { return slot > 0 && slot < kIconSlotCount && IconResourceOfSlot(slot) != 0; }
}  // namespace

CommandTable::CommandTable() {
  // Started for the table's whole life: the object's operations may use GDI+ while it lives, and
  // starting it costs next to nothing beside loading icons.
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) gdiplusToken_ = 0;
  for (CommandId id = 0; id < kCommandCount; ++id) {
    if (const wchar_t* label = CommandLabel(id)) labels[id] = label;
    iconIndex[id] = CommandIconSlot(id);
  }
}

CommandTable::~CommandTable() {
  for (auto& bitmap : bitmaps_) bitmap.reset();
  for (auto& icon : icons_) icon.reset();
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
}

HICON CommandTable::SlotIcon(int slot) const {
  if (!UsedSlot(slot)) return nullptr;
  if (!iconTried_[slot]) {
    iconTried_[slot] = true;
    icons_[slot].reset(static_cast<HICON>(LoadImageW(
        ModuleInstance(), MAKEINTRESOURCEW(IconResourceOfSlot(slot)), IMAGE_ICON, 16, 16, 0)));
  }
  return icons_[slot].get();
}

HBITMAP CommandTable::SlotBitmap(int slot) const {
  if (!UsedSlot(slot)) return nullptr;
  if (!bitmapTried_[slot]) {
    bitmapTried_[slot] = true;
    // The library's own icons hold a 16x16 image with alpha, which needs neither an icon handle nor GDI+.
    bitmaps_[slot].reset(MenuBitmapFromIconResource(ModuleInstance(), IconResourceOfSlot(slot)));
    if (!bitmaps_[slot] && gdiplusToken_ && SlotIcon(slot))
      bitmaps_[slot].reset(MenuBitmapThroughGdiplus(icons_[slot].get()));
  }
  return bitmaps_[slot].get();
}

HICON CommandTable::CommandIcon(CommandId id) const { return SlotIcon(CommandIconSlot(id)); }
