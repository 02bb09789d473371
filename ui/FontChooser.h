#pragma once
// The system's font chooser with its colour list, started from what the dialog holds.
#include <windows.h>

// Shows the chooser over the owner; on OK, font and colour take the choice and the answer is true.
bool ChooseFontAndColor(HWND owner, LOGFONTW& font, COLORREF& color);
