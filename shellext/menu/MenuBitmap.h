#pragma once
// The 16x16 32-bit bitmaps that themed menus show beside their entries, made from the command icons.
// Both ways give the same bytes: a top-down 32-bit DIB section with premultiplied colours.
#include <windows.h>

#include <cstddef>

constexpr int kMenuBitmapSize = 16;

// Straight from an icon image as stored in an RT_ICON resource (a BITMAPINFOHEADER, the colour pixels
// bottom-up, then the mask): only a 16x16 32-bit image with at least one non-zero alpha byte, which is
// what the library's own icons hold. Null for any other or for a truncated image; the caller then goes
// through GDI+.
HBITMAP MenuBitmapFromIconImage(const void* image, size_t size);

// The image that LoadImageW(module, resource, IMAGE_ICON, 16, 16, 0) picks from the icon group (its
// only 16x16 image), made into a menu bitmap as above. Null when the group or its image is missing or
// of another kind.
HBITMAP MenuBitmapFromIconResource(HMODULE module, int resource);

// Any icon through GDI+ (which the caller has started): its colour bitmap with its alpha channel when
// it has one, otherwise the icon as GDI+ reads it, drawn into a 16x16 ARGB bitmap and converted to an
// HBITMAP on black.
HBITMAP MenuBitmapThroughGdiplus(HICON icon);
