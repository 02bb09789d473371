#include "desktop/WallpaperSettings.h"

#include <cwchar>
#include <sstream>
#include <vector>

#include "atl/Handles.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kColorsKey[] = L"Control Panel\\Colors";

// A string value of any length; false when the key or value cannot be read as text.
bool ReadString(HKEY key, const wchar_t* name, std::wstring& text) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = DWORD(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
    return false;
  buffer.back() = L'\0';
  text = buffer.data();
  return true;
}

UniqueKey OpenUserKey(const wchar_t* path, REGSAM rights) {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, rights, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

void WriteString(HKEY key, const wchar_t* name, const wchar_t* text) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 DWORD((wcslen(text) + 1) * sizeof(wchar_t)));
}

}  // namespace

int GetWallpaperStyle() {
  UniqueKey key = OpenUserKey(kDesktopKey, KEY_READ);
  std::wstring style, tile;
  if (!key || !ReadString(key.get(), L"WallpaperStyle", style) || !ReadString(key.get(), L"TileWallpaper", tile))
    return wallpaper_style::Centered;
  if (style == L"1" && tile == L"1") return wallpaper_style::Tiled;
  if (style == L"2" && tile == L"0") return wallpaper_style::Stretched;
  return wallpaper_style::Centered;
}

void SetWallpaperStyle(int code) {
  UniqueKey key = OpenUserKey(kDesktopKey, KEY_SET_VALUE);
  if (!key) return;
  const wchar_t* style = L"0";
  const wchar_t* tile = L"0";
  if (code == wallpaper_style::Tiled) style = tile = L"1";
  if (code == wallpaper_style::Stretched) style = L"2";
  WriteString(key.get(), L"WallpaperStyle", style);
  WriteString(key.get(), L"TileWallpaper", tile);
}

std::wstring CurrentWallpaperPath() {
  UniqueKey key = OpenUserKey(kDesktopKey, KEY_READ);
  std::wstring path;
  if (!key || !ReadString(key.get(), L"WallPaper", path)) return {};
  return path;
}

std::wstring GetPreviousWallpaperPath(DesktopSortSettings& settings) {
  std::wstring stored = PreviousWallpaper(settings);
  if (!stored.empty()) return stored;
  std::wstring current = CurrentWallpaperPath();
  SetPreviousWallpaper(settings, current);
  return current;
}

uint32_t ParseBackgroundColor(const std::wstring& text) {
  // Each token counts by its leading number, as the system reads it; a token without one counts 0.
  std::wistringstream tokens(text);
  std::wstring token;
  uint32_t channels[3] = {0, 0, 0};
  for (uint32_t& channel : channels) {
    if (!(tokens >> token)) break;
    channel = uint32_t(wcstol(token.c_str(), nullptr, 10)) & 0xFF;
  }
  return 0xFF000000u | channels[0] << 16 | channels[1] << 8 | channels[2];
}

uint32_t GetSystemBackgroundColor() {
  UniqueKey key = OpenUserKey(kColorsKey, KEY_READ);
  if (!key) return 0xFF000000u;
  std::wstring text;
  ReadString(key.get(), L"Background", text);
  return ParseBackgroundColor(text);
}
