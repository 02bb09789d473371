#pragma once
// The desktop's two folders: items in either of them are on the desktop.
#include <string>

struct DesktopFolders {
  std::wstring user;    // CSIDL_DESKTOPDIRECTORY
  std::wstring common;  // CSIDL_COMMON_DESKTOPDIRECTORY
};

// Asks the shell (empty strings where it has none).
DesktopFolders QueryDesktopFolders();
