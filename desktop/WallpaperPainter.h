#pragma once
// The generated wallpaper: a gradient (or the previous wallpaper) across the screen, and for every group
// a translucent gradient panel with a border and the group's name above it, drawn with GDI+.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <string>

#include "desktop/DesktopLayout.h"
#include "desktop/DesktopSortSettings.h"

// GDI+ running while this lives.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Running() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

class WallpaperPainter {
 public:
  // The label font comes from the record's LOGFONTW as it shows on fontDc. GDI+ must be running.
  WallpaperPainter(const DesktopSortSettings& settings, HDC fontDc);
  ~WallpaperPainter();
  WallpaperPainter(const WallpaperPainter&) = delete;
  WallpaperPainter& operator=(const WallpaperPainter&) = delete;

  // A canvas of the given size, 24-bit RGB.
  static std::unique_ptr<Gdiplus::Bitmap> MakeCanvas(int width, int height);

  // Clears the canvas to the desktop colour, then fills the screen (0, 0, width, height) with the
  // diagonal gradient, or with the wallpaper file: its top-left screen-sized part, stretched when
  // smaller. A wallpaper that cannot be loaded leaves the desktop colour.
  void DrawBackground(Gdiplus::Graphics& canvas, int width, int height, bool useWallpaper,
                      const std::wstring& wallpaper, uint32_t desktopColor) const;
  // The group's label with its shadow, and its panel.
  void DrawGroup(Gdiplus::Graphics& canvas, const GroupPlacement& placement) const;
  // The label font's height on the canvas, in whole pixels.
  int FontHeight(Gdiplus::Graphics& canvas) const;

  // The first GDI+ failure met while drawing, Ok when none.
  Gdiplus::Status FirstFailure() const { return failure_; }

 private:
  void Note(Gdiplus::Status status) const;

  DesktopSortSettings settings_;
  std::unique_ptr<Gdiplus::Font> font_;
  std::unique_ptr<Gdiplus::SolidBrush> text_;
  std::unique_ptr<Gdiplus::SolidBrush> shadow_;
  std::unique_ptr<Gdiplus::Pen> border_;
  mutable Gdiplus::Status failure_ = Gdiplus::Ok;
};

// Saves the canvas as a BMP file (the encoder found by its MIME type "image/bmp").
bool SaveCanvasAsBmp(Gdiplus::Bitmap& canvas, const std::wstring& path);
