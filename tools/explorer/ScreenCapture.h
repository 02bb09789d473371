#pragma once
// Screenshots of what is on the screen, saved as PNG through GDI+ (started by the caller).
#include <windows.h>

#include <string>

bool SaveScreenPng(RECT area, const std::wstring& path, std::wstring& error);

// The screen area of a window's client area. Without a window manager (Xvfb) Wine leaves the caption
// and frame undrawn, so the client area is what shows of a window.
RECT ClientArea(HWND window);

// The client area of a window and every open menu of this process.
RECT WindowAndMenusArea(HWND window);

// A Linux path ("/tmp/menu.png") turned into the Windows path that names it under Wine; other paths as
// given.
std::wstring WindowsPath(const std::wstring& path);
