#include "shellext/menu/MenuBitmap.h"

#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "atl/Handles.h"

namespace {

constexpr size_t kPixels = size_t(kMenuBitmapSize) * kMenuBitmapSize;

// The icon's colour bitmap as top-down 32-bit pixels, when it has a real alpha channel.
bool ReadAlphaPixels(HICON icon, std::vector<uint32_t>& pixels, int& width) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  if (!color) return false;
  BITMAP bm{};
  GetObjectW(color.get(), sizeof bm, &bm);
  if (bm.bmBitsPixel != 32) return false;
  width = bm.bmWidth;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  pixels.assign(size_t(bm.bmWidth) * bm.bmHeight, 0);
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, color.get(), 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != bm.bmHeight) return false;
  for (uint32_t pixel : pixels)
    if (pixel >> 24) return true;
  return false;
}

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The resource number of the group's only 16x16 image, which any choice of LoadImageW for that size
// must take; -1 when there are several or none (the platform then chooses, which costs a display query).
int SoleMenuSizedImage(const BYTE* directory, DWORD size) {
  constexpr DWORD kHeader = 3 * sizeof(WORD);
  if (size < kHeader) return -1;
  WORD count;
  std::memcpy(&count, directory + 2 * sizeof(WORD), sizeof count);
  if (size < kHeader + DWORD(count) * sizeof(GroupEntry)) return -1;
  int found = -1;
  for (WORD i = 0; i < count; ++i) {
    GroupEntry entry;
    std::memcpy(&entry, directory + kHeader + i * sizeof(GroupEntry), sizeof entry);
    if (entry.width != kMenuBitmapSize || entry.height != kMenuBitmapSize) continue;
    if (found >= 0) return -1;
    found = entry.id;
  }
  return found;
}

// GDI+'s conversion of straight to premultiplied alpha: each colour times alpha / 255, rounded.
BYTE Premultiply(BYTE color, BYTE alpha) { return BYTE((color * alpha + 127) / 255); }

}  // namespace

HBITMAP MenuBitmapFromIconImage(const void* image, size_t size) {
  BITMAPINFOHEADER header;
  if (!image || size < sizeof header) return nullptr;
  std::memcpy(&header, image, sizeof header);
  // The stored height counts the colour pixels and the mask below them.
  if (header.biSize < sizeof header || header.biWidth != kMenuBitmapSize ||
      header.biHeight != 2 * kMenuBitmapSize || header.biPlanes != 1 || header.biBitCount != 32 ||
      header.biCompression != BI_RGB || header.biSize > size || size - header.biSize < kPixels * 4)
    return nullptr;
  const BYTE* source = static_cast<const BYTE*>(image) + header.biSize;
  bool hasAlpha = false;
  for (size_t i = 0; i < kPixels && !hasAlpha; ++i) hasAlpha = source[i * 4 + 3] != 0;
  if (!hasAlpha) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kMenuBitmapSize, -kMenuBitmapSize, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return nullptr;
  auto* target = static_cast<BYTE*>(bits);
  for (int y = 0; y < kMenuBitmapSize; ++y) {
    const BYTE* row = source + size_t(kMenuBitmapSize - 1 - y) * kMenuBitmapSize * 4;  // stored bottom-up
    for (int x = 0; x < kMenuBitmapSize * 4; x += 4, target += 4) {
      BYTE alpha = row[x + 3];
      target[0] = Premultiply(row[x], alpha);
      target[1] = Premultiply(row[x + 1], alpha);
      target[2] = Premultiply(row[x + 2], alpha);
      target[3] = alpha;
    }
  }
  GdiFlush();
  return bitmap;
}

HBITMAP MenuBitmapFromIconResource(HMODULE module, int resource) {
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(resource), RT_GROUP_ICON);
  auto* directory = group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
  if (!directory) return nullptr;
  int id = SoleMenuSizedImage(directory, SizeofResource(module, group));
  if (id < 0) id = LookupIconIdFromDirectoryEx(directory, TRUE, kMenuBitmapSize, kMenuBitmapSize, LR_DEFAULTCOLOR);
  HRSRC icon = id ? FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
  const void* image = icon ? LockResource(LoadResource(module, icon)) : nullptr;
  return image ? MenuBitmapFromIconImage(image, SizeofResource(module, icon)) : nullptr;
}

HBITMAP MenuBitmapThroughGdiplus(HICON icon) {
  std::vector<uint32_t> pixels;
  int width = 0;
  std::unique_ptr<Gdiplus::Bitmap> source;
  if (ReadAlphaPixels(icon, pixels, width)) {
    source = std::make_unique<Gdiplus::Bitmap>(width, width, width * 4, PixelFormat32bppARGB,
                                               reinterpret_cast<BYTE*>(pixels.data()));
  } else {
    source.reset(Gdiplus::Bitmap::FromHICON(icon));
  }
  if (!source || source->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Bitmap target(kMenuBitmapSize, kMenuBitmapSize, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&target);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    graphics.DrawImage(source.get(), 0, 0, kMenuBitmapSize, kMenuBitmapSize);
  }
  HBITMAP result = nullptr;
  target.GetHBITMAP(Gdiplus::Color(0xFF000000), &result);
  return result;
}
