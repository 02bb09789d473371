#include "desktop/DesktopSortSettings.h"

#include <cwchar>

namespace {

struct Theme {
  CommandId command;
  uint32_t background1, background2, group1, group2;
  bool ownBorder;  // otherwise the border colour keeps its default
  uint32_t border;
  uint8_t borderOpacity;
};

constexpr Theme kThemes[] = {
    {cmd::SortDesktopEggPlant, 0xFF4B0082, 0xFF00008B, 0xFFD2B48C, 0xFFDAA520, false, 0, 100},
    {cmd::SortDesktopSunset, 0xFFFF4500, 0xFFFF8C00, 0xFFFFE4B5, 0xFFF08080, false, 0, 100},
    {cmd::SortDesktopDark, 0xFF000000, 0xFFA9A9A9, 0xFF808080, 0xFF696969, false, 0, 100},
    {cmd::SortDesktopBlueSky, 0xFF0000FF, 0xFF87CEEB, 0xFF00008B, 0xFF008B8B, true, 0x00000000, 150},
};

template <size_t N>
bool Terminated(const wchar_t (&field)[N]) {
  return wmemchr(field, L'\0', N) != nullptr;
}

}  // namespace

LOGFONTW DefaultLabelFont() {
  LOGFONTW font{};
  font.lfHeight = -24;
  font.lfWeight = 700;
  font.lfCharSet = 177;
  font.lfOutPrecision = 1;
  font.lfClipPrecision = 2;
  font.lfQuality = 1;
  font.lfPitchAndFamily = 0x22;
  wcscpy(font.lfFaceName, L"Times new Roman");
  return font;
}

DesktopSortSettings DefaultDesktopSortSettings() {
  DesktopSortSettings settings{};
  settings.background1 = 0xFF008000;
  settings.background2 = 0xFF0000FF;
  settings.group1 = 0xFFFFFFE0;
  settings.group2 = 0xFFFF0000;
  settings.border = 0xFFFFFFFF;
  settings.groupOpacity = 255;
  settings.borderOpacity = 255;
  settings.font = DefaultLabelFont();
  settings.textColor = 0xFFFFFFFF;
  return settings;
}

bool ApplyDesktopTheme(CommandId command, DesktopSortSettings& settings) {
  for (const Theme& theme : kThemes) {
    if (theme.command != command) continue;
    settings = DefaultDesktopSortSettings();
    settings.background1 = theme.background1;
    settings.background2 = theme.background2;
    settings.useWallpaper = 0;
    settings.group1 = theme.group1;
    settings.group2 = theme.group2;
    if (theme.ownBorder) settings.border = theme.border;
    settings.borderOpacity = theme.borderOpacity;
    return true;
  }
  return false;
}

DesktopSortSettings& ProcessDesktopSortSettings() {
  static DesktopSortSettings settings = DefaultDesktopSortSettings();
  return settings;
}

std::wstring PreviousWallpaper(const DesktopSortSettings& settings) {
  return std::wstring(settings.previousWallpaper, wcsnlen(settings.previousWallpaper, kWallpaperPathUnits));
}

void ClearPreviousWallpaper(DesktopSortSettings& settings) {
  wmemset(settings.previousWallpaper, L'\0', kWallpaperPathUnits);
}

bool SetPreviousWallpaper(DesktopSortSettings& settings, const std::wstring& path) {
  ClearPreviousWallpaper(settings);
  if (path.size() >= kWallpaperPathUnits) return false;
  wmemcpy(settings.previousWallpaper, path.data(), path.size());
  return true;
}

std::wstring FaceName(const LOGFONTW& font) {
  return std::wstring(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
}

LOGFONTW LabelFont(const DesktopSortSettings& settings) {
  return Terminated(settings.font.lfFaceName) ? settings.font : DefaultLabelFont();
}

void MendStoredRecord(DesktopSortSettings& settings) {
  if (!Terminated(settings.font.lfFaceName)) settings.font = DefaultLabelFont();
  if (!Terminated(settings.previousWallpaper)) ClearPreviousWallpaper(settings);
}
