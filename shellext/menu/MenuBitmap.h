#pragma once
// The 32-bit bitmaps that themed menus show beside their entries, made from the command icons at the
// menu's small-icon size (16 at 96 DPI). Both ways give the same bytes for the library's own icons: a
// top-down 32-bit DIB section with premultiplied colours.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kMenuBitmapSize = 16;

// Straight from an icon image as stored in an RT_ICON resource (a BITMAPINFOHEADER, the colour pixels
// bottom-up, then the mask): only a size x size 32-bit image with at least one non-zero alpha byte,
// which is what the library's own icons hold. Null for any other or for a truncated image; the caller
// then goes through GDI+.
HBITMAP MenuBitmapFromIconImage(const void* image, size_t bytes, int size = kMenuBitmapSize);

// From the icon group: its only image of the size (the one LoadImageW must pick), or else its smallest
// larger alpha image scaled down. Null when the group has neither, or its image is of another kind.
HBITMAP MenuBitmapFromIconResource(HMODULE module, int resource, int size = kMenuBitmapSize);

// Any icon through GDI+ (which the caller has started): its colour bitmap with its alpha channel when
// it has one, otherwise the icon as GDI+ reads it, drawn into a size x size ARGB bitmap and converted
// to an HBITMAP on black.
HBITMAP MenuBitmapThroughGdiplus(HICON icon, int size = kMenuBitmapSize);

// Premultiplied top-down pixels (0xAARRGGBB) of a from x from square, shrunk to to x to by averaging
// the area each target pixel covers. Sizes not above from only.
std::vector<uint32_t> ShrinkPremultiplied(const std::vector<uint32_t>& pixels, int from, int to);
