#include "shellext/menu/IconCache.h"

#include <gdiplus.h>

#include <map>
#include <mutex>
#include <utility>

#include "atl/Handles.h"
#include "atl/Module.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/menu/MenuBitmap.h"

namespace icon_cache {
namespace {

bool UsedSlot(int slot) { return slot > 0 && slot < kIconSlotCount && IconResourceOfSlot(slot) != 0; }

using Key = std::pair<int, int>;  // slot, size

struct Cache {
  std::mutex lock;
  // A failed load is kept as a null handle, so that it is not retried on every menu.
  std::map<Key, UniqueIcon> icons;
  std::map<Key, UniqueBitmap> bitmaps;
};

Cache& TheCache() {
  static Cache* cache = new Cache;  // never destroyed: Release frees the handles while the library unloads
  return *cache;
}

HICON LoadIconLocked(Cache& cache, int slot, int size) {
  auto found = cache.icons.find({slot, size});
  if (found != cache.icons.end()) return found->second.get();
  HICON icon = static_cast<HICON>(
      LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IconResourceOfSlot(slot)), IMAGE_ICON, size, size, 0));
  return cache.icons.emplace(Key{slot, size}, UniqueIcon(icon)).first->second.get();
}

// Icons without an alpha image of their own go through GDI+, started only for them.
HBITMAP BitmapThroughGdiplus(HICON icon, int size) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return nullptr;
  HBITMAP bitmap = MenuBitmapThroughGdiplus(icon, size);
  Gdiplus::GdiplusShutdown(token);
  return bitmap;
}

}  // namespace

HICON Icon(int slot, int size) {
  if (!UsedSlot(slot) || size <= 0) return nullptr;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  return LoadIconLocked(cache, slot, size);
}

HBITMAP Bitmap(int slot, int size) {
  if (!UsedSlot(slot) || size <= 0) return nullptr;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  auto found = cache.bitmaps.find({slot, size});
  if (found != cache.bitmaps.end()) return found->second.get();
  // The library's own icons hold alpha images, which need neither an icon handle nor GDI+.
  HBITMAP bitmap = MenuBitmapFromIconResource(ModuleInstance(), IconResourceOfSlot(slot), size);
  if (!bitmap)
    if (HICON icon = LoadIconLocked(cache, slot, size)) bitmap = BitmapThroughGdiplus(icon, size);
  return cache.bitmaps.emplace(Key{slot, size}, UniqueBitmap(bitmap)).first->second.get();
}

size_t Count() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  size_t count = 0;
  for (const auto& entry : cache.icons) count += entry.second ? 1 : 0;
  for (const auto& entry : cache.bitmaps) count += entry.second ? 1 : 0;
  return count;
}

void Release() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  cache.bitmaps.clear();
  cache.icons.clear();
}

}  // namespace icon_cache
