#include "support/Scale.h"

#include <cstdlib>

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Px(int pixels96) { return MulDiv(pixels96, ScreenDpi(), 96); }

int ExpectedDpi() {
  const char* value = std::getenv("BRIVANE_EXPECT_DPI");
  return value ? std::atoi(value) : 0;
}
