#pragma once
// "BrivaneWallpaper.bmp" in the user's pictures folder, replaced by a sort and put back by its undo. A
// file the user already had there is copied aside first, and only a copy checked byte for byte lets the
// sort write over it.
#include <windows.h>

#include <functional>
#include <string>

class WallpaperFile {
 public:
  static constexpr wchar_t kFileName[] = L"BrivaneWallpaper.bmp";

  // The target lies in the pictures folder (none when it is empty), the backup in the temporary folder.
  WallpaperFile(const std::wstring& picturesFolder, const std::wstring& temporaryFolder);
  // Deletes the backup.
  ~WallpaperFile();
  WallpaperFile(const WallpaperFile&) = delete;
  WallpaperFile& operator=(const WallpaperFile&) = delete;

  const std::wstring& Target() const { return target_; }
  bool HasTarget() const { return !target_.empty(); }

  // Backs up what the target holds, then lets write make it. False, with the target as it was, when
  // there is no target, when its backup cannot be made, or when write fails.
  bool Replace(const std::function<bool(const std::wstring& path)>& write);
  // Puts back what the target held before Replace: the user's file, or no file at all. Once only.
  void Restore();
  // Replace wrote over a file that was there before.
  bool ReplacedExisting() const { return replaced_ && existed_; }

 private:
  bool PutBack();

  std::wstring target_;
  std::wstring backup_;
  bool replaced_ = false;
  bool existed_ = false;
};

// Two files hold the same bytes.
bool SameFileContents(const std::wstring& a, const std::wstring& b);
