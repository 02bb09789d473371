#include "shellext/menu/MenuIcons.h"

namespace {

template <class Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : 96;
}

}  // namespace

UINT WindowDpi(HWND window) {
  // Windows 10 1607 and later; older systems have one DPI for every window.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (window && getDpiForWindow)
    if (UINT dpi = getDpiForWindow(window)) return dpi;
  return ScreenDpi();
}

int SmallIconSize(UINT dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (forDpi)
    if (int size = forDpi(SM_CXSMICON, dpi); size > 0) return size;
  int size = GetSystemMetrics(SM_CXSMICON);
  return MulDiv(size > 0 ? size : 16, int(dpi), int(ScreenDpi()));
}

bool MeasureMenuIcon(MEASUREITEMSTRUCT& measure, int iconSize) {
  if (measure.CtlType != ODT_MENU) return false;
  measure.itemWidth = UINT(iconSize > 11 ? iconSize - 11 : 0);
  measure.itemHeight = UINT(iconSize + 4);
  return true;
}

bool DrawMenuIcon(const DRAWITEMSTRUCT& draw, int iconSize) {
  if (draw.CtlType != ODT_MENU || !draw.itemData) return false;
  DrawIconEx(draw.hDC, draw.rcItem.left + 2, draw.rcItem.top + 2, reinterpret_cast<HICON>(draw.itemData), iconSize, iconSize, 0,
             nullptr, DI_NORMAL);
  return true;
}
