#pragma once
// What the desktop sorter asks of the machine besides the folder view and the registry: the screen and
// the taskbar, the folders it writes to, the desktop's view window and the wallpaper call. One object
// answers for the running system; tests answer some of it themselves.
#include <windows.h>

#include <string>

#include "desktop/DesktopLayout.h"

class DesktopPlatform {
 public:
  virtual ~DesktopPlatform() = default;

  // The primary screen and where the taskbar sits on it.
  virtual DesktopScreen PrimaryScreen() const;
  // The size of all screens together: the wallpaper canvas.
  virtual SIZE VirtualScreen() const;
  virtual DWORD MajorVersion() const;
  // The user's pictures folder, empty when unknown; the temporary folder, without a trailing backslash.
  virtual std::wstring PicturesFolder() const;
  virtual std::wstring TemporaryFolder() const;
  // The desktop's shell view window ("SHELLDLL_DefView" inside "Progman", else inside an Explorer
  // window), or null.
  virtual HWND DesktopViewWindow() const;
  // Makes the file the wallpaper (an empty path removes it) and tells every window.
  virtual bool SetWallpaper(const std::wstring& path) const;
  // The same through the Active Desktop, for pictures other than bitmaps on older systems.
  virtual bool SetWallpaperThroughActiveDesktop(const std::wstring& path) const;
  // The window the keep-or-undo question belongs to.
  virtual HWND QuestionOwner() const;
};

// The running system.
const DesktopPlatform& SystemDesktopPlatform();
