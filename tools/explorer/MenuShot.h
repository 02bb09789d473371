#pragma once
// A screenshot of the context menu as a user sees it open: the popup is shown with TrackPopupMenu, the
// entries along a path are opened from the keyboard, and the folder window with its open menus is
// saved as a PNG before the menu is dismissed.
#include <windows.h>

#include <string>
#include <vector>

#include "tools/explorer/MenuReader.h"

bool ShootOpenMenu(HWND owner, HMENU popup, const std::vector<MenuPathStep>& path, POINT at,
                   const std::wstring& file, std::wstring& error);
