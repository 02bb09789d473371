#pragma once
#include <windows.h>

// Opens "BrivaneHelp.chm" beside this library with HTML Help, placed 800 x 600 in the middle of the
// screen. A missing help file or a missing HTML Help control only means no help window.
void ShowHelpContents(HWND owner);
