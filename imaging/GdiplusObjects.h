#pragma once
// The GDI+ flat interface as the imaging code uses it: a session that starts and ends GDI+, owners that
// release its objects, and the installed encoders by MIME type.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace gdip {

using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpBrush;
using Gdiplus::GpFont;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpSolidFill;
using Gdiplus::GpStatus;
using Gdiplus::GpStringFormat;

// GDI+ started for the life of the object. Sessions nest: each one starts and shuts down its own.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  bool ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

template <class T, GpStatus(WINGDIPAPI* Release)(T*)>
struct Releaser {
  void operator()(T* object) const {
    if (object) Release(object);
  }
};
using Image = std::unique_ptr<GpImage, Releaser<GpImage, GdipDisposeImage>>;
using Graphics = std::unique_ptr<GpGraphics, Releaser<GpGraphics, GdipDeleteGraphics>>;
using Brush = std::unique_ptr<GpBrush, Releaser<GpBrush, GdipDeleteBrush>>;
using Font = std::unique_ptr<GpFont, Releaser<GpFont, GdipDeleteFont>>;
using StringFormat = std::unique_ptr<GpStringFormat, Releaser<GpStringFormat, GdipDeleteStringFormat>>;

// A 32-bit ARGB canvas; empty when it cannot be made.
Image NewCanvas(int width, int height);
inline GpBitmap* AsBitmap(const Image& image) { return static_cast<GpBitmap*>(image.get()); }
// A drawing context on the image with high-quality smoothing, bicubic interpolation and pixel offset.
Graphics HighQualityContext(const Image& image);
// A solid brush of the ARGB colour.
Brush SolidBrush(Gdiplus::ARGB color);

}  // namespace gdip
