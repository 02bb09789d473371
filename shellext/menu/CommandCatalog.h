#pragma once
// The fixed facts of every command and submenu: labels, icon slots and icon resources. Pure data.
#include "base/CommandId.h"

// The stored label, or null for the recent-folder commands 52-61, whose text is their folder.
const wchar_t* CommandLabel(CommandId id);

// The icon slot (1-43) a command shows; 0 for none.
int CommandIconSlot(CommandId id);

// The icon resource number of a slot; 0 for slot 0 and the unused slots 44-63.
int IconResourceOfSlot(int slot);

constexpr int kProductIconSlot = 15;
