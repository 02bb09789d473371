#pragma once
// Screenshots of what is on the screen, saved as PNG through GDI+ (started by the caller). The test
// programs save their window screenshots with it too.
#include <windows.h>

#include <string>

bool SaveScreenPng(RECT area, const std::wstring& path, std::wstring& error);

// The screen area of a window, frame included, and of every open menu of this process. (The prefix
// makes Wine draw the frames itself: there is no window manager on Xvfb.)
RECT WindowAndMenusArea(HWND window);

// A Linux path ("/tmp/menu.png") turned into the Windows path that names it under Wine; other paths as
// given.
std::wstring WindowsPath(const std::wstring& path);
