#include "support/Pictures.h"

#include <cstdio>
#include <cstdlib>

#include "imaging/ImageCodecs.h"
#include "support/HostTool.h"

uint32_t Quadrants(int width, int height, int x, int y) {
  bool right = x >= width / 2, bottom = y >= height / 2;
  return bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
}

std::wstring MakePicture(const std::wstring& path, int width, int height,
                         const std::function<uint32_t(int x, int y)>& colorAt) {
  gdip::Session session;
  gdip::Image canvas = gdip::NewCanvas(width, height);
  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData data{};
  gdip::GdipBitmapLockBits(gdip::AsBitmap(canvas), &all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + ptrdiff_t(y) * data.Stride);
    for (int x = 0; x < width; ++x) row[x] = colorAt(x, y);
  }
  gdip::GdipBitmapUnlockBits(gdip::AsBitmap(canvas), &data);
  std::wstring extension = path.substr(path.rfind(L'.') + 1);
  for (wchar_t& c : extension) c = wchar_t(towlower(c));
  std::vector<uint8_t> bytes;
  EncodePicture(canvas.get(), GetMimeTypeFromExtension(extension), extension == L"jpg" || extension == L"jpeg" ? 98 : -1,
                {}, bytes);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

std::wstring MakeQuadrants(const std::wstring& path, int width, int height) {
  return MakePicture(path, width, height, [=](int x, int y) { return Quadrants(width, height, x, y); });
}

std::wstring MakeFlat(const std::wstring& path, int width, int height, uint32_t color) {
  return MakePicture(path, width, height, [=](int, int) { return color; });
}

uint32_t LoadedPicture::At(int x, int y) const {
  Gdiplus::ARGB color = 0;
  gdip::GdipBitmapGetPixel(gdip::AsBitmap(image), x, y, &color);
  return color;
}

LoadedPicture ReadPicture(const std::wstring& path) {
  static gdip::Session session;  // the pictures outlive this call
  LoadedPicture picture;
  gdip::GpImage* image = nullptr;
  if (gdip::GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok) return picture;
  // A copy in memory, so that the file is not held open.
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(image, &width);
  gdip::GdipGetImageHeight(image, &height);
  gdip::Image file(image);
  picture.image = gdip::NewCanvas(int(width), int(height));
  gdip::Graphics graphics;
  gdip::GpGraphics* context = nullptr;
  gdip::GdipGetImageGraphicsContext(picture.image.get(), &context);
  graphics.reset(context);
  gdip::GdipSetCompositingMode(context, Gdiplus::CompositingModeSourceCopy);
  gdip::GdipDrawImageRectI(context, image, 0, 0, int(width), int(height));
  graphics.reset();
  picture.loaded = true;
  picture.width = width;
  picture.height = height;
  return picture;
}

bool Near(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift : {24, 16, 8, 0})
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

std::string ArgbText(uint32_t argb) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned(argb));
  return text;
}

bool MakeSidewaysPhoto(const std::wstring& path, int storedWidth, int storedHeight, const std::string& dateTaken) {
  std::string host = HostPathOf(path);
  char geometry[64];
  int halfW = storedWidth / 2, halfH = storedHeight / 2;
  std::snprintf(geometry, sizeof geometry, "%dx%d", storedWidth, storedHeight);
  char shapes[256];
  std::snprintf(shapes, sizeof shapes,
                "-fill red -draw 'rectangle 0,0 %d,%d' -fill lime -draw 'rectangle %d,0 %d,%d' "
                "-fill blue -draw 'rectangle 0,%d %d,%d' -fill yellow -draw 'rectangle %d,%d %d,%d'",
                halfW - 1, halfH - 1, halfW, storedWidth - 1, halfH - 1, halfH, halfW - 1, storedHeight - 1, halfW,
                halfH, storedWidth - 1, storedHeight - 1);
  HostRun run = RunHost("/usr/bin/convert -size " + std::string(geometry) + " xc:white " + shapes +
                        " -quality 95 " + ShellQuoted(host) + " && /usr/bin/exiftool -q -overwrite_original -n "
                        "-Orientation=6 -DateTimeOriginal=" + ShellQuoted(dateTaken) + " " + ShellQuoted(host));
  return run.ok();
}
