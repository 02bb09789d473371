#pragma once
#include <windows.h>

// Opens "BrivaneHelp.chm" beside this library with HTML Help, placed 800 x 600 in the middle of the
// screen. A missing help file shows whatever HTML Help shows for it; without the HTML Help control
// nothing opens.
void ShowHelpContents(HWND owner);
