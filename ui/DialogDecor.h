#pragma once
// The look every Brivane dialog shares: a white banner across the top with a bold heading over it.
#include <windows.h>

#include "atl/Handles.h"

// "Tahoma", height -12, weight 700, OEM character set.
UniqueFont CreateHeadingFont();
// Moves the banner (260) to -5,-5 with the window's width + 10 and the given height in pixels, so
// only its lower edge shows.
void PlaceBanner(HWND dialog, int height);
// Big and small window icons; none when icon is null.
void SetDialogIcons(HWND dialog, HICON icon);
// Position and size of a control in its dialog's client coordinates.
RECT ControlRect(HWND control);
