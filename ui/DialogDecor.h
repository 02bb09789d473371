#pragma once
// The look every Brivane dialog shares: a white banner across the top with a bold heading over it.
// Sizes are given in 96-DPI pixels and scaled to the window's DPI (ui/Dpi.h).
#include <windows.h>

#include "atl/Handles.h"

// The banner's height under the dialogs' headings, in 96-DPI pixels.
constexpr int kBannerHeight = 60;
// How far the banner reaches past the window's left, top and right edges, so only its lower edge shows.
constexpr int kBannerOverhang = 5;

// "Tahoma", bold, 12 pixels high at 96 DPI and as much larger as the DPI is, so the heading stays
// larger than the dialog's text; the default character set, so the font mapper keeps the face.
LOGFONTW HeadingLogFont(int dpi);
UniqueFont CreateHeadingFont(int dpi);

// The banner's place in a window windowWidth pixels wide: from -5,-5 (scaled) across the window's width
// and 5 more pixels (scaled) on either side, height pixels tall (already at the window's DPI).
RECT BannerRect(int windowWidth, int height, int dpi);
// Moves the banner (control 260) to BannerRect for the dialog's width and DPI.
void PlaceBanner(HWND dialog, int height);
// The same for the banner control bannerId of a window about to be windowWidth pixels wide at dpi
// (while its DPI changes).
void PlaceBanner(HWND dialog, int windowWidth, int height, int dpi, int bannerId);

// A copy of a banner picture stretched smoothly by dpi / 96, or none at 96 DPI (the picture is shown as
// it is) or when the copy cannot be made.
UniqueBitmap BitmapForDpi(HBITMAP bitmap, int dpi);

// Makes the progress bar a moving marquee (100 ms). Where the platform has none, the bar is hidden and
// the text that says the same is shown instead; false then.
bool StartMarquee(HWND bar, HWND standInText);

// Big and small window icons; none when icon is null.
void SetDialogIcons(HWND dialog, HICON icon);
// Position and size of a control in its dialog's client coordinates.
RECT ControlRect(HWND control);
