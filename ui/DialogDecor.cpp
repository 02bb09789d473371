#include "ui/DialogDecor.h"

#include "resource.h"

#include <commctrl.h>

#include "ui/Dpi.h"

namespace {
constexpr int kHeadingPixels = 12;
}  // namespace

LOGFONTW HeadingLogFont(int dpi) {
  LOGFONTW font{};
  font.lfHeight = -ScaleForDpi(kHeadingPixels, dpi);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return font;
}

UniqueFont CreateHeadingFont(int dpi) {
  LOGFONTW font = HeadingLogFont(dpi);
  return UniqueFont(CreateFontIndirectW(&font));
}

RECT BannerRect(int windowWidth, int height, int dpi) {
  int overhang = ScaleForDpi(kBannerOverhang, dpi);
  return {-overhang, -overhang, windowWidth + overhang, height - overhang};
}

void PlaceBanner(HWND dialog, int windowWidth, int height, int dpi, int bannerId) {
  RECT banner = BannerRect(windowWidth, height, dpi);
  SetWindowPos(GetDlgItem(dialog, bannerId), nullptr, banner.left, banner.top, banner.right - banner.left,
               banner.bottom - banner.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceBanner(HWND dialog, int height) {
  RECT window;
  GetWindowRect(dialog, &window);
  PlaceBanner(dialog, window.right - window.left, height, WindowDpi(dialog), IDC_BANNER);
}

UniqueBitmap BitmapForDpi(HBITMAP bitmap, int dpi) {
  BITMAP source{};
  if (!bitmap || dpi <= 0 || dpi == kDefaultDpi || !GetObjectW(bitmap, sizeof source, &source)) return {};
  int width = ScaleForDpi(source.bmWidth, dpi), height = ScaleForDpi(abs(source.bmHeight), dpi);
  if (width <= 0 || height <= 0) return {};

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap scaled(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scaled) return {};

  HDC screen = GetDC(nullptr);
  UniqueWindowDc from(CreateCompatibleDC(screen)), to(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  if (!from || !to) return {};
  HGDIOBJ oldFrom = SelectObject(from.get(), bitmap);
  HGDIOBJ oldTo = SelectObject(to.get(), scaled.get());
  SetStretchBltMode(to.get(), HALFTONE);
  SetBrushOrgEx(to.get(), 0, 0, nullptr);
  BOOL drawn = StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, source.bmWidth, abs(source.bmHeight),
                          SRCCOPY);
  SelectObject(to.get(), oldTo);
  SelectObject(from.get(), oldFrom);
  if (!drawn) return {};
  return scaled;
}

void SetDialogIcons(HWND dialog, HICON icon) {
  if (!icon) return;
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

RECT ControlRect(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool StartMarquee(HWND bar, HWND standInText) {
  SetWindowLongPtrW(bar, GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_BORDER | PBS_SMOOTH | PBS_MARQUEE);
  bool moving = SendMessageW(bar, PBM_SETMARQUEE, TRUE, 100) == 1;
  ShowWindow(standInText, moving ? SW_HIDE : SW_SHOW);
  ShowWindow(bar, moving ? SW_SHOW : SW_HIDE);
  return moving;
}
