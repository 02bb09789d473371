#include "shellext/CommandTable.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "atl/Module.h"
#include "shellext/CommandCatalog.h"

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

// A 16x16 premultiplied-ready 32-bit bitmap of the icon for themed menus.
HBITMAP MakeMenuBitmap(HICON icon) {
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
  Gdiplus::Bitmap target(16, 16, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&target);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    graphics.DrawImage(source.get(), 0, 0, 16, 16);
  }
  HBITMAP result = nullptr;
  target.GetHBITMAP(Gdiplus::Color(0xFF000000), &result);
  return result;
}

}  // namespace

CommandTable::CommandTable() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
  for (CommandId id = 0; id < kCommandCount; ++id) {
    if (const wchar_t* label = CommandLabel(id)) labels[id] = label;
    iconIndex[id] = CommandIconSlot(id);
  }
  for (int slot = 1; slot < kIconSlotCount; ++slot) {
    int resource = IconResourceOfSlot(slot);
    if (!resource) continue;
    icons_[slot].reset(static_cast<HICON>(
        LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, 16, 16, 0)));
    if (icons_[slot]) bitmaps_[slot].reset(MakeMenuBitmap(icons_[slot].get()));
  }
}

CommandTable::~CommandTable() {
  for (auto& bitmap : bitmaps_) bitmap.reset();
  for (auto& icon : icons_) icon.reset();
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
}

HICON CommandTable::SlotIcon(int slot) const {
  return slot > 0 && slot < kIconSlotCount ? icons_[slot].get() : nullptr;
}

HBITMAP CommandTable::SlotBitmap(int slot) const {
  return slot > 0 && slot < kIconSlotCount ? bitmaps_[slot].get() : nullptr;
}

HICON CommandTable::CommandIcon(CommandId id) const { return SlotIcon(CommandIconSlot(id)); }
