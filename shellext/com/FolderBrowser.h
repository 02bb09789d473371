#pragma once
#include <windows.h>

#include <string>

// The system's folder browser over the parent, showing file-system folders only. The chosen folder's
// path; empty when the user cancelled or the choice has no file-system path.
std::wstring BrowseForFolder(HWND parent, const wchar_t* title);
