#include "desktop/WallpaperPainter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// An ARGB colour with its alpha replaced.
Gdiplus::Color WithAlpha(uint32_t argb, uint8_t alpha) {
  return Gdiplus::Color((Gdiplus::ARGB(alpha) << 24) | (argb & 0xFFFFFF));
}

bool EncoderFor(const wchar_t* mimeType, CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(encoders[i].MimeType, mimeType) == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  return false;
}

}  // namespace

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

WallpaperPainter::WallpaperPainter(const DesktopSortSettings& settings, HDC fontDc) : settings_(settings) {
  LOGFONTW logfont = LabelFont(settings_);
  font_ = std::make_unique<Gdiplus::Font>(fontDc, &logfont);
  if (font_->GetLastStatus() != Gdiplus::Ok) {
    // A face that is no TrueType font, or that this system lacks: the labels still show, in a serif
    // face of the same size and weight.
    int style = (logfont.lfWeight >= FW_BOLD ? Gdiplus::FontStyleBold : 0) |
                (logfont.lfItalic ? Gdiplus::FontStyleItalic : 0);
    font_ = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSerif(),
                                            Gdiplus::REAL(std::abs(logfont.lfHeight ? logfont.lfHeight : 24)),
                                            style, Gdiplus::UnitPixel);
  }
  Note(font_->GetLastStatus());
  text_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(settings_.textColor));
  shadow_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0xC8000000));
  border_ = std::make_unique<Gdiplus::Pen>(WithAlpha(settings_.border, settings_.borderOpacity), 4.0f);
}

WallpaperPainter::~WallpaperPainter() = default;

void WallpaperPainter::Note(Gdiplus::Status status) const {
  if (failure_ == Gdiplus::Ok && status != Gdiplus::Ok) failure_ = status;
}

std::unique_ptr<Gdiplus::Bitmap> WallpaperPainter::MakeCanvas(int width, int height) {
  return std::make_unique<Gdiplus::Bitmap>(std::max(width, 1), std::max(height, 1), PixelFormat24bppRGB);
}

void WallpaperPainter::DrawBackground(Gdiplus::Graphics& canvas, int width, int height, bool useWallpaper,
                                      const std::wstring& wallpaper, uint32_t desktopColor) const {
  if (!useWallpaper) {
    Note(canvas.Clear(Gdiplus::Color(desktopColor)));
    Gdiplus::LinearGradientBrush gradient(Gdiplus::Point(0, 0), Gdiplus::Point(width, height),
                                          Gdiplus::Color(settings_.background1),
                                          Gdiplus::Color(settings_.background2));
    gradient.SetWrapMode(Gdiplus::WrapModeTile);
    Note(canvas.FillRectangle(&gradient, 0, 0, width, height));
    return;
  }
  // Loaded here and released before the canvas is saved, which may be over this very file.
  Gdiplus::Image picture(wallpaper.c_str());
  Note(canvas.Clear(Gdiplus::Color(desktopColor)));
  if (wallpaper.empty() || picture.GetLastStatus() != Gdiplus::Ok) {
    Note(picture.GetLastStatus());
    return;
  }
  int sourceWidth = std::min(int(picture.GetWidth()), width);
  int sourceHeight = std::min(int(picture.GetHeight()), height);
  Note(canvas.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic));
  Note(canvas.DrawImage(&picture, Gdiplus::Rect(0, 0, width, height), 0, 0, sourceWidth, sourceHeight,
                        Gdiplus::UnitPixel));
}

int WallpaperPainter::FontHeight(Gdiplus::Graphics& canvas) const { return int(font_->GetHeight(&canvas)); }

void WallpaperPainter::DrawGroup(Gdiplus::Graphics& canvas, const GroupPlacement& placement) const {
  if (placement.members.empty()) return;
  const wchar_t* label = GroupLabel(placement.group);
  POINT origin = LabelOrigin(placement, FontHeight(canvas));
  Note(canvas.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias));
  Note(canvas.DrawString(label, -1, font_.get(), Gdiplus::PointF(Gdiplus::REAL(origin.x + 2), Gdiplus::REAL(origin.y + 2)),
                         shadow_.get()));
  Note(canvas.DrawString(label, -1, font_.get(), Gdiplus::PointF(Gdiplus::REAL(origin.x), Gdiplus::REAL(origin.y)),
                         text_.get()));

  const PanelRect& panel = placement.panel;
  Gdiplus::LinearGradientBrush fill(Gdiplus::Point(panel.left, 0), Gdiplus::Point(panel.left + panel.width, 0),
                                    WithAlpha(settings_.group1, settings_.groupOpacity),
                                    WithAlpha(settings_.group2, settings_.groupOpacity));
  fill.SetWrapMode(Gdiplus::WrapModeTile);
  Note(canvas.FillRectangle(&fill, panel.left, panel.top, panel.width, panel.height));
  Note(canvas.DrawRectangle(border_.get(), panel.left, panel.top, panel.width, panel.height));
}

bool SaveCanvasAsBmp(Gdiplus::Bitmap& canvas, const std::wstring& path) {
  CLSID bmp;
  if (!EncoderFor(L"image/bmp", bmp)) return false;
  Gdiplus::EncoderParameters parameters;
  ULONG quality = 100;
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &quality;
  return canvas.Save(path.c_str(), &bmp, &parameters) == Gdiplus::Ok;
}
