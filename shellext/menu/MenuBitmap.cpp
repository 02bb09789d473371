#include "shellext/menu/MenuBitmap.h"

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "atl/Handles.h"

namespace {

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

// The image of the group to make a size x size bitmap from: its only image of that size, which any
// choice of LoadImageW for that size must take; with none, its smallest larger image. 0 when there are
// several of the size (the platform then chooses, which costs a display query) or the group is damaged.
int ImageForSize(const BYTE* directory, DWORD bytes, int size) {
  constexpr DWORD kHeader = 3 * sizeof(WORD);
  if (bytes < kHeader) return 0;
  WORD count;
  std::memcpy(&count, directory + 2 * sizeof(WORD), sizeof count);
  if (bytes < kHeader + DWORD(count) * sizeof(GroupEntry)) return 0;
  int exact = 0, exactCount = 0, larger = 0, largerWidth = 0;
  for (WORD i = 0; i < count; ++i) {
    GroupEntry entry;
    std::memcpy(&entry, directory + kHeader + i * sizeof(GroupEntry), sizeof entry);
    int width = entry.width ? entry.width : 256;  // 0 stands for 256
    if (width != (entry.height ? entry.height : 256)) continue;
    if (width == size) {
      exact = entry.id;
      ++exactCount;
    } else if (width > size && (!larger || width < largerWidth)) {
      larger = entry.id;
      largerWidth = width;
    }
  }
  if (exactCount > 1) return -1;
  return exact ? exact : larger;
}

// GDI+'s conversion of straight to premultiplied alpha: each colour times alpha / 255, rounded.
BYTE Premultiply(BYTE color, BYTE alpha) { return BYTE((color * alpha + 127) / 255); }

// A 32-bit image with alpha as stored in an RT_ICON resource, as premultiplied top-down pixels.
bool DecodeAlphaImage(const void* image, size_t bytes, int& width, std::vector<uint32_t>& pixels) {
  BITMAPINFOHEADER header;
  if (!image || bytes < sizeof header) return false;
  std::memcpy(&header, image, sizeof header);
  width = header.biWidth;
  // The stored height counts the colour pixels and the mask below them.
  if (header.biSize < sizeof header || width < 1 || width > 256 || header.biHeight != 2 * width ||
      header.biPlanes != 1 || header.biBitCount != 32 || header.biCompression != BI_RGB || header.biSize > bytes)
    return false;
  const size_t count = size_t(width) * width;
  if (bytes - header.biSize < count * 4) return false;
  const BYTE* source = static_cast<const BYTE*>(image) + header.biSize;
  bool hasAlpha = false;
  for (size_t i = 0; i < count && !hasAlpha; ++i) hasAlpha = source[i * 4 + 3] != 0;
  if (!hasAlpha) return false;

  pixels.resize(count);
  for (int y = 0; y < width; ++y) {
    const BYTE* row = source + size_t(width - 1 - y) * width * 4;  // stored bottom-up
    for (int x = 0; x < width; ++x) {
      const BYTE* p = row + x * 4;
      BYTE alpha = p[3];
      pixels[size_t(y) * width + x] = uint32_t(alpha) << 24 | uint32_t(Premultiply(p[2], alpha)) << 16 |
                                      uint32_t(Premultiply(p[1], alpha)) << 8 | Premultiply(p[0], alpha);
    }
  }
  return true;
}

HBITMAP MakeMenuBitmap(const std::vector<uint32_t>& pixels, int size) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return nullptr;
  std::memcpy(bits, pixels.data(), pixels.size() * 4);
  GdiFlush();
  return bitmap;
}

}  // namespace

std::vector<uint32_t> ShrinkPremultiplied(const std::vector<uint32_t>& pixels, int from, int to) {
  if (to <= 0 || to > from || pixels.size() != size_t(from) * from) return {};
  // Each target pixel covers scale x scale source pixels, partly at its edges.
  const double scale = double(from) / to;
  struct Span {
    int first;
    std::vector<double> weights;
  };
  std::vector<Span> spans(to);
  for (int t = 0; t < to; ++t) {
    double start = t * scale, end = (t + 1) * scale;
    spans[t].first = int(start);
    for (int s = int(start); s < from && s < end; ++s)
      spans[t].weights.push_back(std::min<double>(s + 1, end) - std::max<double>(s, start));
  }
  std::vector<uint32_t> result(size_t(to) * to);
  for (int ty = 0; ty < to; ++ty) {
    for (int tx = 0; tx < to; ++tx) {
      double sum[4] = {0, 0, 0, 0};
      for (size_t j = 0; j < spans[ty].weights.size(); ++j) {
        for (size_t i = 0; i < spans[tx].weights.size(); ++i) {
          double weight = spans[ty].weights[j] * spans[tx].weights[i];
          uint32_t pixel = pixels[size_t(spans[ty].first + j) * from + spans[tx].first + i];
          for (int c = 0; c < 4; ++c) sum[c] += weight * ((pixel >> (8 * c)) & 0xFF);
        }
      }
      uint32_t out = 0;
      for (int c = 0; c < 4; ++c) out |= uint32_t(std::lround(sum[c] / (scale * scale))) << (8 * c);
      result[size_t(ty) * to + tx] = out;
    }
  }
  return result;
}

HBITMAP MenuBitmapFromIconImage(const void* image, size_t bytes, int size) {
  int width = 0;
  std::vector<uint32_t> pixels;
  if (!DecodeAlphaImage(image, bytes, width, pixels) || width != size) return nullptr;
  return MakeMenuBitmap(pixels, size);
}

HBITMAP MenuBitmapFromIconResource(HMODULE module, int resource, int size) {
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(resource), RT_GROUP_ICON);
  auto* directory = group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
  if (!directory) return nullptr;
  int id = ImageForSize(directory, SizeofResource(module, group), size);
  if (id < 0) id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC icon = id > 0 ? FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
  const void* image = icon ? LockResource(LoadResource(module, icon)) : nullptr;
  int width = 0;
  std::vector<uint32_t> pixels;
  if (!image || !DecodeAlphaImage(image, SizeofResource(module, icon), width, pixels) || width < size) return nullptr;
  if (width > size) pixels = ShrinkPremultiplied(pixels, width, size);
  return MakeMenuBitmap(pixels, size);
}

HBITMAP MenuBitmapThroughGdiplus(HICON icon, int size) {
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
  Gdiplus::Bitmap target(size, size, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&target);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    graphics.DrawImage(source.get(), 0, 0, size, size);
  }
  HBITMAP result = nullptr;
  target.GetHBITMAP(Gdiplus::Color(0xFF000000), &result);
  return result;
}
