#pragma once
// LogoSettings: the choices of the logo dialog, kept between uses as the registry value
// "LastPutLogoData" (HKEY_CURRENT_USER\Software\Brivane, REG_BINARY). The record is stored byte for
// byte, so its layout is fixed: 3200 bytes, little-endian, the offsets below.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct LogoSettings {
  LOGFONTW font;                 // 0: the text logo's font
  uint32_t textColor;            // 92: ARGB
  uint8_t addBorder;             // 96: 0 or 1
  uint8_t reserved1[3];          // 97
  uint32_t borderColor;          // 100: ARGB
  uint8_t useImage;              // 104: 1 = a picture file is the logo, 0 = the text
  uint8_t reserved2;             // 105
  wchar_t imagePath[260];        // 106: zero-terminated
  uint8_t separateFolder;        // 626: 0 or 1
  uint8_t reserved3;             // 627
  wchar_t folderName[260];       // 628: zero-terminated
  wchar_t text[1024];            // 1148: zero-terminated
  int32_t position;              // 3196: 0-8, top left to bottom right
};
#pragma pack(pop)
static_assert(sizeof(LogoSettings) == 3200, "LastPutLogoData is 3200 bytes");
static_assert(offsetof(LogoSettings, textColor) == 92 && offsetof(LogoSettings, addBorder) == 96 &&
              offsetof(LogoSettings, borderColor) == 100 && offsetof(LogoSettings, useImage) == 104 &&
              offsetof(LogoSettings, imagePath) == 106 && offsetof(LogoSettings, separateFolder) == 626 &&
              offsetof(LogoSettings, folderName) == 628 && offsetof(LogoSettings, text) == 1148 &&
              offsetof(LogoSettings, position) == 3196,
              "LastPutLogoData offsets");

extern const wchar_t kLogoSettingsValue[];  // "LastPutLogoData"

// Bold "Times new Roman" at height -24 (character set 177), white text, an orange-red border, the text
// logo at the top left, no separate folder, empty texts.
LogoSettings DefaultLogoSettings();
// The font a text logo falls back to when GDI+ cannot use the chosen one: the default face with the
// default character set and precisions, keeping the chosen size and style.
void UseDefaultLogoFace(LOGFONTW& font);

// Reads the stored record. False, leaving the record as it was, unless the value exists, is REG_BINARY,
// holds exactly 3200 bytes, has every string terminated inside its field and a position 0-8.
bool LoadLogoSettings(LogoSettings& settings);
// Writes all 3200 bytes; false when the key cannot be opened or the value not written.
bool SaveLogoSettings(const LogoSettings& settings);
