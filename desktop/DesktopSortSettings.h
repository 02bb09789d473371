#pragma once
// The desktop-sort record: colours, the wallpaper choice and the wallpaper in effect before the sort,
// opacities and the label font. Its bytes are stored unchanged as "LastDesktopSortData", so the layout
// below is a stored format: 644 bytes, little-endian. Every field sits at its natural alignment, so the
// compiler adds no padding; the checks below hold it to that.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/CommandId.h"

struct DesktopSortSettings {
  uint32_t background1;        // ARGB
  uint32_t background2;        // ARGB
  uint8_t useWallpaper;        // 0 or 1: paint the previous wallpaper instead of the gradient
  uint8_t reserved1;
  wchar_t previousWallpaper[260];  // zero-terminated, the rest zero
  uint8_t reserved2[2];
  uint32_t group1;             // ARGB, alpha not used
  uint32_t group2;             // ARGB, alpha not used
  uint32_t border;             // ARGB, alpha not used
  uint8_t groupOpacity;        // 0-255
  uint8_t borderOpacity;       // 0-255
  uint8_t reserved3[2];
  LOGFONTW font;               // the group labels
  uint32_t textColor;          // ARGB, alpha used
};

static_assert(sizeof(DesktopSortSettings) == 644, "the stored record is 644 bytes");
static_assert(offsetof(DesktopSortSettings, useWallpaper) == 8 &&
              offsetof(DesktopSortSettings, previousWallpaper) == 10 &&
              offsetof(DesktopSortSettings, group1) == 532 && offsetof(DesktopSortSettings, border) == 540 &&
              offsetof(DesktopSortSettings, groupOpacity) == 544 &&
              offsetof(DesktopSortSettings, borderOpacity) == 545 && offsetof(DesktopSortSettings, font) == 548 &&
              offsetof(DesktopSortSettings, textColor) == 640,
              "the stored record's fields sit at their fixed offsets");

constexpr size_t kWallpaperPathUnits = 260;  // at most 259 characters and the terminator

DesktopSortSettings DefaultDesktopSortSettings();
LOGFONTW DefaultLabelFont();

// The record a colour-theme command starts from: the defaults with the theme's colours. False for a
// command that is no theme (then the record is left as it was).
bool ApplyDesktopTheme(CommandId command, DesktopSortSettings& settings);

// The record the custom sort edits, one per process, holding the defaults until the dialog changes it.
DesktopSortSettings& ProcessDesktopSortSettings();

// The previous wallpaper path up to its terminator; never reads past the field.
std::wstring PreviousWallpaper(const DesktopSortSettings& settings);
// Stores the path when it fits the field (the rest of the field becomes zero); false, with the field
// left empty, when it does not: a cut path would name a file that does not exist.
bool SetPreviousWallpaper(DesktopSortSettings& settings, const std::wstring& path);
void ClearPreviousWallpaper(DesktopSortSettings& settings);

// The label font, with a face name that ends inside its field; a face name without a terminator gives
// the default font.
LOGFONTW LabelFont(const DesktopSortSettings& settings);
std::wstring FaceName(const LOGFONTW& font);

// Makes a record read from the registry safe to use: a face name or a path without a terminator is
// damage, and that field goes back to its default.
void MendStoredRecord(DesktopSortSettings& settings);
