#pragma once
// Saves a window as it is shown on screen, frame included, to a PNG file (GDI+ PNG encoder).
#include <windows.h>

#include <string>

// The window may belong to another thread; it is repainted first. True when the file was written.
bool SaveWindowPng(HWND window, const std::wstring& path);

// The folder named by BRIVANE_SHOTS (a Windows path, e.g. Z:\tmp\shots), or empty when screenshots are off.
std::wstring ScreenshotFolder();
