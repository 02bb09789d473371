#pragma once
// The display scale a test program runs at. CTest runs the window tests at 96 DPI and again at 144 DPI
// (scripts/wine-dpi sets the prefix's LogPixels before the program starts); a test states its pixel
// expectations at 96 DPI and scales them with Px.
#include <windows.h>

// The screen's LOGPIXELSY, as the program started with.
int ScreenDpi();
// A length given in 96-DPI pixels at the screen's DPI (MulDiv rounding).
int Px(int pixels96);
// The DPI the run was started for (BRIVANE_EXPECT_DPI), or 0 when the run does not say.
int ExpectedDpi();
