#pragma once
#include <windows.h>

#include <array>
#include <bitset>
#include <map>
#include <string>

#include "atl/Handles.h"
#include "base/CommandId.h"

// Labels, icon slots, icons and their 32-bit menu bitmaps of the 64 commands, for one shell-extension
// object (or one dialog that shows command icons). Explorer makes an object for every right-click and
// a menu shows only some of the icons, so each icon and each bitmap is made the first time it is asked
// for and then kept until the table goes. Used on the thread that owns the menu.
class CommandTable {
 public:
  CommandTable();
  ~CommandTable();
  CommandTable(const CommandTable&) = delete;
  CommandTable& operator=(const CommandTable&) = delete;

  std::map<CommandId, std::wstring> labels;
  std::map<CommandId, int> iconIndex;

  // Null for slot 0, the unused slots and a resource that cannot be loaded.
  HICON SlotIcon(int slot) const;
  HBITMAP SlotBitmap(int slot) const;
  HICON CommandIcon(CommandId id) const;

 private:
  mutable std::array<UniqueIcon, kIconSlotCount> icons_;
  mutable std::array<UniqueBitmap, kIconSlotCount> bitmaps_;
  // Slots already tried, so that a failure is not retried on every entry.
  mutable std::bitset<kIconSlotCount> iconTried_;
  mutable std::bitset<kIconSlotCount> bitmapTried_;
  ULONG_PTR gdiplusToken_ = 0;
};
