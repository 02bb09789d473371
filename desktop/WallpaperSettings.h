#pragma once
// The current user's wallpaper settings as the system keeps them: "WallPaper", "WallpaperStyle" and
// "TileWallpaper" under "Control Panel\Desktop", and the desktop's colour, "Background" under
// "Control Panel\Colors".
#include <windows.h>

#include <cstdint>
#include <string>

#include "desktop/DesktopSortSettings.h"

// The wallpaper style codes: 0 centred, 1 tiled, 2 stretched.
namespace wallpaper_style {
enum : int { Centered = 0, Tiled = 1, Stretched = 2 };
}

// "1"/"1" is 1, "2"/"0" is 2; every other pair, or no key, is 0.
int GetWallpaperStyle();
// Writes both values as strings; an unknown code writes "0"/"0".
void SetWallpaperStyle(int code);

// The current wallpaper file, whole whatever its length; empty when it cannot be read.
std::wstring CurrentWallpaperPath();

// The wallpaper the sort replaces: the record's when it holds one (a redo keeps the first sort's),
// otherwise the current one, which is then put in the record when it fits.
std::wstring GetPreviousWallpaperPath(DesktopSortSettings& settings);

// The desktop colour as ARGB, opaque; black when the key cannot be opened.
uint32_t GetSystemBackgroundColor();
// "R G B" as the registry holds it: up to three whitespace-separated integers, each taken modulo 256.
uint32_t ParseBackgroundColor(const std::wstring& text);
