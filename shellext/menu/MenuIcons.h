#pragma once
// The size of the menu's icons at the DPI of the window the menu belongs to, and the owner drawing of
// the unthemed menu, whose entries carry their icon as item data (HBMMENU_CALLBACK).
#include <windows.h>

// WindowDpi, the DPI the menu's window is shown at, and SmallIconSize, the icons' size at that DPI.
#include "ui/Dpi.h"

// WM_MEASUREITEM of an entry's bitmap area: the icon's size less 11 wide, plus 4 high (5 x 20 for 16).
// False for anything but a menu item.
bool MeasureMenuIcon(MEASUREITEMSTRUCT& measure, int iconSize);
// WM_DRAWITEM: the icon of the item data, inside the item's rectangle, 2 pixels in from its top left
// corner. False for anything but a menu item with an icon.
bool DrawMenuIcon(const DRAWITEMSTRUCT& draw, int iconSize);
