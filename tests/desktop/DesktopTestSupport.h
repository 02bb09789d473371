#pragma once
// A desktop of a test's own: the current-user registry in a sandbox, the desktop and pictures folders in
// a scratch folder, the wallpaper values the test gives, and a platform whose screen, folders and
// wallpaper call the test decides.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/DesktopPlatform.h"
#include "support/SettingsSandbox.h"
#include "support/TestSupport.h"

class TestPlatform : public DesktopPlatform {
 public:
  DesktopScreen screen{1280, 1024, {0, 984, 1280, 1024}};  // taskbar along the bottom
  SIZE virtualScreen{1280, 1024};
  DWORD majorVersion = 10;
  std::wstring pictures, temporary;
  HWND viewWindow = nullptr;
  mutable std::vector<std::wstring> wallpapers;  // every wallpaper set, in order

  DesktopScreen PrimaryScreen() const override { return screen; }
  SIZE VirtualScreen() const override { return virtualScreen; }
  DWORD MajorVersion() const override { return majorVersion; }
  std::wstring PicturesFolder() const override { return pictures; }
  std::wstring TemporaryFolder() const override { return temporary; }
  HWND DesktopViewWindow() const override { return viewWindow; }
  // Recorded, and kept in the registry as the system keeps it.
  bool SetWallpaper(const std::wstring& path) const override;
  bool SetWallpaperThroughActiveDesktop(const std::wstring& path) const override {
    wallpapers.push_back(L"active desktop: " + path);
    return true;
  }
};

class DesktopSandbox {
 public:
  DesktopSandbox();
  ~DesktopSandbox();

  const std::wstring& desktop() const { return desktop_; }
  const std::wstring& pictures() const { return pictures_; }
  const TempDir& dir() const { return dir_; }
  TestPlatform platform;

 private:
  SettingsSandbox settings_;
  TempDir dir_;
  std::wstring desktop_, pictures_;
};

void PutFile(const std::wstring& path, const std::string& bytes);

// The wallpaper values under "Control Panel\Desktop".
void PutWallpaperValues(const std::wstring& wallpaper, const std::wstring& style, const std::wstring& tile);
std::wstring DesktopValue(const wchar_t* name);

// The stored last sort's bytes, empty when there is none.
std::vector<uint8_t> StoredSortBytes();
template <class Record>
std::vector<uint8_t> BytesOf(const Record& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  return std::vector<uint8_t>(bytes, bytes + sizeof record);
}
