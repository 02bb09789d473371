#pragma once
// The look every Brivane dialog shares: a white banner across the top with a bold heading over it.
#include <windows.h>

#include "atl/Handles.h"
#include "resource.h"

// "Tahoma", height -12, weight 700, OEM character set.
UniqueFont CreateHeadingFont();
// Moves the banner (260, or the given control) to -5,-5 with the window's width + 10 and the given
// height in pixels, so only its lower edge shows.
void PlaceBanner(HWND dialog, int height, int bannerId = IDC_BANNER);
// Makes the progress bar a moving marquee (100 ms). Where the platform has none, the bar is hidden and
// the text that says the same is shown instead; false then.
bool StartMarquee(HWND bar, HWND standInText);
// Big and small window icons; none when icon is null.
void SetDialogIcons(HWND dialog, HICON icon);
// Position and size of a control in its dialog's client coordinates.
RECT ControlRect(HWND control);
