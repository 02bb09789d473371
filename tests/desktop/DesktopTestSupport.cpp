#include "DesktopTestSupport.h"

#include "shellext/settings/SettingsRegistry.h"

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void PutUserString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 DWORD((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
}  // namespace

bool TestPlatform::SetWallpaper(const std::wstring& path) const {
  wallpapers.push_back(path);
  PutUserString(kDesktopKey, L"WallPaper", path);
  return true;
}

// One desktop folder for the whole program: the shell keeps the desktop's path from the first time it
// is asked, so every test's desktop must be at the same place. It starts and ends empty.
std::wstring ProgramDesktop() {
  static const std::wstring folder = [] {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + L"brivane-desktop-" + std::to_wstring(GetCurrentProcessId());
  }();
  return folder;
}

DesktopSandbox::DesktopSandbox() {
  desktop_ = ProgramDesktop();
  RemoveTree(desktop_);
  CreateDirectoryW(desktop_.c_str(), nullptr);
  pictures_ = dir_.Folder(L"Pictures");
  platform.pictures = pictures_;
  platform.temporary = dir_.Folder(L"Temp");
  // The shell reads the user's folders from the (sandboxed) registry each time it is asked.
  PutUserString(kShellFolders, L"Desktop", desktop_);
  PutUserString(kShellFolders, L"My Pictures", pictures_);
  PutWallpaperValues(L"C:\\windows\\previous.bmp", L"2", L"0");
}

DesktopSandbox::~DesktopSandbox() { RemoveTree(desktop_); }

void PutWallpaperValues(const std::wstring& wallpaper, const std::wstring& style, const std::wstring& tile) {
  PutUserString(kDesktopKey, L"WallPaper", wallpaper);
  PutUserString(kDesktopKey, L"WallpaperStyle", style);
  PutUserString(kDesktopKey, L"TileWallpaper", tile);
}

std::wstring DesktopValue(const wchar_t* name) {
  wchar_t text[1024] = L"";
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return L"<none>";
  return text;
}

std::vector<uint8_t> StoredSortBytes() {
  DWORD type = 0;
  std::vector<uint8_t> bytes = GetValue(settings_registry::kLastDesktopSortData, &type);
  return type == REG_BINARY ? bytes : std::vector<uint8_t>();
}

void PutFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
}
