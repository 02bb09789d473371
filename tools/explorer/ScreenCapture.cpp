#include "tools/explorer/ScreenCapture.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "atl/Handles.h"
#include "tools/explorer/WindowWatch.h"

namespace {

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  return false;
}

BOOL CALLBACK AddMenuWindow(HWND window, LPARAM area) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || WindowClass(window) != L"#32768")
    return TRUE;
  RECT place;
  GetWindowRect(window, &place);
  UnionRect(reinterpret_cast<RECT*>(area), reinterpret_cast<RECT*>(area), &place);
  return TRUE;
}

}  // namespace

RECT WindowAndMenusArea(HWND window) {
  RECT area = {};
  if (window) GetWindowRect(window, &area);
  EnumWindows(&AddMenuWindow, reinterpret_cast<LPARAM>(&area));
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&area, &area, &screen);
  return area;
}

bool SaveScreenPng(RECT area, const std::wstring& path, std::wstring& error) {
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) {
    error = L"nothing to capture";
    return false;
  }
  HDC screen = GetDC(nullptr);
  UniqueWindowDc memory(CreateCompatibleDC(screen));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory.get(), previous);
  ReleaseDC(nullptr, screen);
  CLSID png;
  if (!copied || !PngEncoder(png)) {
    error = L"cannot capture the screen";
    return false;
  }
  Gdiplus::Bitmap image(bitmap.get(), nullptr);
  if (image.Save(path.c_str(), &png, nullptr) != Gdiplus::Ok) {
    error = L"cannot write " + path;
    return false;
  }
  return true;
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  // Only Wine knows Linux paths; on Windows a leading slash means the current drive's root.
  using ToDos = wchar_t* (*)(const char*);
  auto toDos = reinterpret_cast<ToDos>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name"));
  if (!toDos) return path;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string unixPath(size_t(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, unixPath.data(), bytes, nullptr, nullptr);
  wchar_t* dos = toDos(unixPath.c_str());
  if (!dos) return path;
  std::wstring result = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}
