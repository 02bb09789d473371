#include "imaging/GdiplusObjects.h"

namespace gdip {

Session::Session() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

Session::~Session() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

Image NewCanvas(int width, int height) {
  GpBitmap* bitmap = nullptr;
  if (width < 1 || height < 1 ||
      GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok)
    return {};
  return Image(bitmap);
}

Graphics HighQualityContext(const Image& image) {
  GpGraphics* graphics = nullptr;
  if (!image || GdipGetImageGraphicsContext(image.get(), &graphics) != Gdiplus::Ok) return {};
  GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
  GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
  GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHighQuality);
  return Graphics(graphics);
}

Brush SolidBrush(Gdiplus::ARGB color) {
  GpSolidFill* fill = nullptr;
  if (GdipCreateSolidFill(color, &fill) != Gdiplus::Ok) return {};
  return Brush(fill);
}

}  // namespace gdip
