#include "support/Screenshot.h"

#include <gdiplus.h>

#include <vector>

#include "atl/Handles.h"

namespace {
bool PngEncoder(CLSID* clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// Copies the window's screen area into a new bitmap.
UniqueBitmap CaptureScreenArea(const RECT& area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  UniqueWindowDc memory(CreateCompatibleDC(screen));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory.get(), old);
  ReleaseDC(nullptr, screen);
  return bitmap;
}
}  // namespace

bool SaveWindowPng(HWND window, const std::wstring& path) {
  if (!IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // A window of another thread paints when its thread gets to it.
  Sleep(300);
  RECT area;
  GetWindowRect(window, &area);
  UniqueBitmap bitmap = CaptureScreenArea(area);
  if (!bitmap) return false;

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  {
    CLSID png;
    Gdiplus::Bitmap image(bitmap.get(), nullptr);
    saved = PngEncoder(&png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

std::wstring ScreenshotFolder() {
  wchar_t folder[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"BRIVANE_SHOTS", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  CreateDirectoryW(folder, nullptr);
  return folder;
}
