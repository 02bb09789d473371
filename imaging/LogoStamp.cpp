#include "imaging/LogoStamp.h"

#include <cmath>
#include <utility>
#include <vector>

#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageNames.h"
#include "imaging/ImageResizer.h"
#include "imaging/LogoSettings.h"

namespace logo {

void LogoOrigin(int w, int h, float logoWidth, float logoHeight, int position, bool border, float& x, float& y) {
  const float inset = border ? float(kBorderInset) : 0.0f;
  auto place = [](int side, float logoSide, int where) {
    if (where == 0) return 0.0f;
    if (where == 1) return float(side) / 2.0f - logoSide / 2.0f;
    return float(side) - logoSide;
  };
  // Inside the frame: an edge at 0 moves in by the inset, every other place moves back by it.
  auto framed = [inset](float at) { return at == 0.0f ? inset : at - inset; };
  if (position < 0 || position > 8) position = 0;
  x = framed(place(w, logoWidth, position % 3));
  y = framed(place(h, logoHeight, position / 3));
}

std::array<Shade, 10> FrameShadows(int w, int h) {
  std::array<Shade, 10> shades{};
  for (int k = 0; k < 10; ++k) {
    uint32_t alpha = k < 5 ? uint32_t(36 * k) : 180;
    uint32_t grey = alpha / 10;
    shades[size_t(k)] = {{float(18 + k), float(18 + k), float(w - 20 - 2 * k), float(h - 20 - 2 * k)},
                         alpha << 24 | grey << 16 | grey << 8 | grey};
  }
  return shades;
}

Box FrameBox(int w, int h) {
  return {float(kFrameInset), float(kFrameInset), float(w - 2 * kFrameInset), float(h - 2 * kFrameInset)};
}

Box FramedPictureBox(int w, int h) {
  return {float(kBorderInset), float(kBorderInset), float(w - 2 * kBorderInset), float(h - 2 * kBorderInset)};
}

bool FitsFrame(int w, int h) { return w > 2 * kBorderInset && h > 2 * kBorderInset; }

}  // namespace logo

std::wstring LogoFailureMessage(uint32_t failed) {
  return L"failed to put the logo on " + std::to_wstring(failed) + L" files or folders.";
}

namespace {

// The text logo's drawing tools and its measured size.
struct TextLogo {
  gdip::Font font;
  gdip::StringFormat format;
  gdip::Brush brush;
  float width = 0;
  float height = 0;
};

bool PrepareText(const LogoJob& job, TextLogo& text) {
  LOGFONTW font = job.font;
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  gdip::GpFont* made = nullptr;
  gdip::GpStatus status = gdip::GdipCreateFontFromLogfontW(screen, &font, &made);
  if (status == Gdiplus::NotTrueTypeFont) {
    trace::Write(L"FilesRefactor::PutLogoOnImages: not a TrueType font: ", font.lfFaceName);
    UseDefaultLogoFace(font);
    status = gdip::GdipCreateFontFromLogfontW(screen, &font, &made);
  }
  ReleaseDC(desktop, screen);
  if (status != Gdiplus::Ok || !made) return false;
  text.font.reset(made);

  gdip::GpStringFormat* format = nullptr;
  if (gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Gdiplus::Ok) return false;
  text.format.reset(format);
  gdip::GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentNear);
  text.brush = gdip::SolidBrush(job.textColor);

  // Measured as the pictures' canvases draw it.
  gdip::Image scratch = gdip::NewCanvas(1, 1);
  gdip::Graphics graphics = gdip::HighQualityContext(scratch);
  if (!graphics || !text.brush) return false;
  gdip::GdipSetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAlias);
  Gdiplus::RectF layout(0, 0, 0, 0), bounds;
  if (gdip::GdipMeasureString(graphics.get(), job.text.c_str(), -1, made, &layout, format, &bounds, nullptr,
                              nullptr) != Gdiplus::Ok)
    return false;
  text.width = std::trunc(bounds.Width);
  text.height = std::trunc(bounds.Height);
  return true;
}

bool Fill(gdip::GpGraphics* graphics, uint32_t argb, const logo::Box& box) {
  gdip::Brush brush = gdip::SolidBrush(argb);
  return brush && gdip::GdipFillRectangle(graphics, brush.get(), box.x, box.y, box.width, box.height) == Gdiplus::Ok;
}

bool DrawPicture(gdip::GpGraphics* graphics, const Picture& picture, const logo::Box& box) {
  return gdip::GdipDrawImageRectRect(graphics, picture.image.get(), box.x, box.y, box.width, box.height, 0, 0,
                                     float(picture.width), float(picture.height), Gdiplus::UnitPixel, nullptr,
                                     nullptr, nullptr) == Gdiplus::Ok;
}

}  // namespace

void LogoStamper::Run(OperationResult& result, const PathList& paths, const LogoJob& job) {
  engine_.Report(1);
  PathList written;
  if (!job.folderName.empty() && !paths.empty()) written.push_back(BatchFolder(paths.front(), job.folderName));
  // Neither a selected picture nor the logo itself is ever written over.
  PathList untouchable = paths;
  if (job.useImage) untouchable.push_back(job.imagePath);

  gdip::Session session;
  Picture logoPicture;
  TextLogo text;
  bool ready = session.ok() && (job.useImage ? LoadPicture(job.imagePath, logoPicture) : PrepareText(job, text));
  if (!ready) trace::Write(L"FilesRefactor::PutLogoOnImages: the logo cannot be made from ", job.useImage ? job.imagePath : job.text);
  const float logoWidth = job.useImage ? float(logoPicture.width) : text.width;
  const float logoHeight = job.useImage ? float(logoPicture.height) : text.height;

  // Writes the reason a picture is passed over to the trace; false.
  auto refuse = [](const wchar_t* why, const std::wstring& path) {
    trace::Write(L"FilesRefactor::PutLogoOnImages: ", why, path);
    return false;
  };
  auto stamp = [&](const std::wstring& path) {
    Picture picture;
    if (!LoadPicture(path, picture)) return refuse(L"cannot load ", path);
    const int w = int(picture.width), h = int(picture.height);
    if (logoWidth > float(w) || logoHeight > float(h)) return refuse(L"the logo is larger than ", path);
    if (job.addBorder && !logo::FitsFrame(w, h)) return refuse(L"too small for the border: ", path);
    std::wstring mimeType = GetMimeTypeFromExtension(PathExtension(path));
    if (mimeType == kUndefinedMimeType) return refuse(L"no encoder for ", path);
    std::wstring output = LogoPath(path, job.position, job.folderName);
    for (const std::wstring& other : untouchable)
      if (SamePath(other, output)) return refuse(L"the result would replace ", other);
    if (!job.folderName.empty() && !EnsureFolder(BatchFolder(path, job.folderName)))
      return refuse(L"cannot create the folder beside ", path);

    gdip::Image canvas = gdip::NewCanvas(w, h);
    gdip::Graphics graphics = gdip::HighQualityContext(canvas);
    if (!graphics) return refuse(L"no canvas for ", path);
    gdip::GdipSetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAlias);
    bool drawn;
    if (!job.addBorder) {
      drawn = DrawPicture(graphics.get(), picture, {0, 0, float(w), float(h)});
    } else {
      drawn = Fill(graphics.get(), 0xFFFFFFFF, {0, 0, float(w), float(h)});
      for (const logo::Shade& shade : logo::FrameShadows(w, h)) drawn = drawn && Fill(graphics.get(), shade.argb, shade.box);
      drawn = drawn && Fill(graphics.get(), job.borderColor, logo::FrameBox(w, h)) &&
              DrawPicture(graphics.get(), picture, logo::FramedPictureBox(w, h));
    }
    float x = 0, y = 0;
    logo::LogoOrigin(w, h, logoWidth, logoHeight, job.position, job.addBorder, x, y);
    if (job.useImage) {
      drawn = drawn && DrawPicture(graphics.get(), logoPicture, {x, y, logoWidth, logoHeight});
    } else {
      Gdiplus::RectF layout(x, y, logoWidth + 1, logoHeight + 1);
      drawn = drawn && gdip::GdipDrawString(graphics.get(), job.text.c_str(), -1, text.font.get(), &layout,
                                            text.format.get(), text.brush.get()) == Gdiplus::Ok;
    }
    graphics.reset();
    std::vector<uint8_t> bytes;
    if (!drawn || !EncodePicture(canvas.get(), mimeType, -1, picture.facts, bytes) ||
        !WriteWholeFile(output, bytes.data(), bytes.size()))
      return refuse(L"cannot write ", output);
    if (job.folderName.empty()) written.push_back(output);
    return true;
  };

  uint32_t failed = 0;
  size_t finished = 0;
  for (const std::wstring& path : paths) {
    if (!ready || !stamp(path)) ++failed;
    engine_.Report(ProgressAfter(++finished, paths.size()));
  }

  FillBatchResult(result, kind::PutLogo, paths.size(), failed, LogoFailureMessage(failed), std::move(written));
}
