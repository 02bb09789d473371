#include "desktop/DesktopPlatform.h"

#include <wininet.h>  // before shlobj.h: it declares the Active Desktop only after it
#include <shlobj.h>
#include <shlguid.h>

#include "atl/ComPtr.h"
#include "base/TemporaryFolder.h"

DesktopScreen DesktopPlatform::PrimaryScreen() const {
  DesktopScreen screen;
  screen.width = GetSystemMetrics(SM_CXSCREEN);
  screen.height = GetSystemMetrics(SM_CYSCREEN);
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) screen.taskbar = bar.rc;
  return screen;
}

SIZE DesktopPlatform::VirtualScreen() const {
  return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

DWORD DesktopPlatform::MajorVersion() const {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) ? version.dwMajorVersion : 0;
}

std::wstring DesktopPlatform::PicturesFolder() const {
  wchar_t path[MAX_PATH] = L"";
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_MYPICTURES, FALSE)) return {};
  return path;
}

std::wstring DesktopPlatform::TemporaryFolder() const { return ::TemporaryFolder(); }

HWND DesktopPlatform::DesktopViewWindow() const {
  HWND top = FindWindowW(L"Progman", nullptr);
  if (!top) top = FindWindowW(L"ExploreWClass", nullptr);
  if (!top) top = FindWindowW(L"CabinetWClass", nullptr);
  return top ? FindWindowExW(top, nullptr, L"SHELLDLL_DefView", nullptr) : nullptr;
}

bool DesktopPlatform::SetWallpaper(const std::wstring& path) const {
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

bool DesktopPlatform::SetWallpaperThroughActiveDesktop(const std::wstring& path) const {
  ComPtr<IActiveDesktop> desktop;
  if (FAILED(CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                              desktop.put_void())) ||
      !desktop)
    return false;
  return SUCCEEDED(desktop->SetWallpaper(path.c_str(), 0)) && SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL));
}

HWND DesktopPlatform::QuestionOwner() const { return GetDesktopWindow(); }

const DesktopPlatform& SystemDesktopPlatform() {
  static const DesktopPlatform platform;
  return platform;
}
