#pragma once
#include <windows.h>

#include <array>
#include <map>
#include <string>

#include "atl/Handles.h"
#include "shellext/CommandId.h"

// Labels, icon slots, icons and their 32-bit menu bitmaps of the 64 commands. Built once per
// shell-extension object (and per dialog that shows command icons); read-only afterwards.
class CommandTable {
 public:
  CommandTable();
  ~CommandTable();
  CommandTable(const CommandTable&) = delete;
  CommandTable& operator=(const CommandTable&) = delete;

  std::map<CommandId, std::wstring> labels;
  std::map<CommandId, int> iconIndex;

  HICON SlotIcon(int slot) const;
  HBITMAP SlotBitmap(int slot) const;
  HICON CommandIcon(CommandId id) const;

 private:
  ULONG_PTR gdiplusToken_ = 0;
  std::array<UniqueIcon, kIconSlotCount> icons_;
  std::array<UniqueBitmap, kIconSlotCount> bitmaps_;
};
