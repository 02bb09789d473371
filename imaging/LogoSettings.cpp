#include "imaging/LogoSettings.h"

#include <cstring>
#include <cwchar>

#include "atl/Handles.h"

namespace {
const wchar_t kKey[] = L"Software\\Brivane";
const wchar_t kDefaultFace[] = L"Times new Roman";

template <size_t N>
bool Terminated(const wchar_t (&field)[N]) {
  return std::wmemchr(field, L'\0', N) != nullptr;
}
}  // namespace

const wchar_t kLogoSettingsValue[] = L"LastPutLogoData";

void UseDefaultLogoFace(LOGFONTW& font) {
  font.lfCharSet = 177;
  font.lfOutPrecision = OUT_STRING_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  lstrcpynW(font.lfFaceName, kDefaultFace, LF_FACESIZE);
}

LogoSettings DefaultLogoSettings() {
  LogoSettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.font.lfHeight = -24;
  settings.font.lfWeight = FW_BOLD;
  settings.font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;  // 0x22
  UseDefaultLogoFace(settings.font);
  settings.textColor = 0xFFFFFFFF;
  settings.addBorder = 1;
  settings.borderColor = 0xFFFF4500;
  return settings;
}

bool LoadLogoSettings(LogoSettings& settings) {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  LogoSettings read;
  DWORD type = 0, size = sizeof read;
  if (RegQueryValueExW(key.get(), kLogoSettingsValue, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) !=
          ERROR_SUCCESS ||
      type != REG_BINARY || size != sizeof read)
    return false;
  if (!Terminated(read.font.lfFaceName) || !Terminated(read.imagePath) || !Terminated(read.folderName) ||
      !Terminated(read.text) || read.position < 0 || read.position > 8)
    return false;
  settings = read;
  return true;
}

bool SaveLogoSettings(const LogoSettings& settings) {
  UniqueKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  return RegSetValueExW(key.get(), kLogoSettingsValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&settings),
                        sizeof settings) == ERROR_SUCCESS;
}
