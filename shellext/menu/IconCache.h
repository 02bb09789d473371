#pragma once
// The command icons and their menu bitmaps, one set per process. Explorer makes a shell-extension
// object for every right-click, on several threads: each icon and bitmap is made the first time a
// size of it is asked for, shared by every object from then on, and freed when the library unloads.
#include <windows.h>

#include <cstddef>

namespace icon_cache {

// Null for slot 0, the unused slots and a resource that cannot be loaded; the cache owns the handle.
HICON Icon(int slot, int size);
HBITMAP Bitmap(int slot, int size);

// How many icons and bitmaps are held.
size_t Count();
// Frees every handle; the library does this when it unloads.
void Release();

}  // namespace icon_cache
