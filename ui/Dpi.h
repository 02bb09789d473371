#pragma once
// Scaling by the display's dots per inch. Brivane's pixel sizes are given for 96 DPI (100 %); a window
// shown at 144 DPI (150 %) or 192 DPI (200 %) takes each of them times DPI / 96. Explorer is per-monitor
// DPI aware, so the DPI that counts is the window's own, which on a second monitor may differ from the
// system's.
#include <windows.h>

constexpr int kDefaultDpi = 96;

// A length given in 96-DPI pixels, at dpi; rounded to the nearest pixel, halves away from zero, so that
// at 96 DPI every length stays exactly what it was. A DPI of 0 or less counts as 96.
constexpr int ScaleForDpi(int pixels, int dpi) {
  if (dpi <= 0 || dpi == kDefaultDpi) return pixels;
  long long scaled = static_cast<long long>(pixels) * dpi;
  long long half = kDefaultDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi : -((-scaled + half) / kDefaultDpi));
}

// The DPI a window is shown at: GetDpiForWindow where the system has it (Windows 10 1607 on), else the
// LOGPIXELSY of the window's device context; 96 when neither answers.
int WindowDpi(HWND window);

// The side of the system's small icons (SM_CXSMICON) at dpi: GetSystemMetricsForDpi where the system
// has it, else the system's own size scaled from the system's DPI.
int SmallIconSize(int dpi);
