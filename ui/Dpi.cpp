#include "ui/Dpi.h"

namespace {

// The per-monitor functions came with Windows 10 1607; on an older system the library must still load,
// so they are looked up rather than imported.
template <class Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(GetProcAddress(user32, name)) : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

int DeviceContextDpi(HWND window) {
  HDC dc = GetDC(window);
  if (!dc) return 0;
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

// A process keeps the system DPI it started with (a change applies from the next sign-in), and a
// right-click without a window asks for it every time.
int SystemDpi() {
  static const int dpi = DeviceContextDpi(nullptr);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  int dpi = getDpiForWindow && window ? int(getDpiForWindow(window)) : 0;
  if (dpi <= 0) dpi = window ? DeviceContextDpi(window) : SystemDpi();
  return dpi > 0 ? dpi : kDefaultDpi;
}

int SmallIconSize(int dpi) {
  static const auto getSystemMetricsForDpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (dpi <= 0) dpi = kDefaultDpi;
  int size = getSystemMetricsForDpi ? getSystemMetricsForDpi(SM_CXSMICON, UINT(dpi)) : 0;
  if (size > 0) return size;
  int systemDpi = SystemDpi();
  int systemSize = GetSystemMetrics(SM_CXSMICON);
  if (systemSize <= 0) return ScaleForDpi(16, dpi);
  return systemDpi > 0 ? MulDiv(systemSize, dpi, systemDpi) : systemSize;
}
