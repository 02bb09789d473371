#include "desktop/WallpaperFile.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "atl/Handles.h"
#include "base/Trace.h"

namespace {

UniqueFile OpenForReading(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace

bool SameFileContents(const std::wstring& a, const std::wstring& b) {
  UniqueFile first = OpenForReading(a), second = OpenForReading(b);
  LARGE_INTEGER sizeA{}, sizeB{};
  if (!first || !second || !GetFileSizeEx(first.get(), &sizeA) || !GetFileSizeEx(second.get(), &sizeB) ||
      sizeA.QuadPart != sizeB.QuadPart)
    return false;
  std::vector<char> bufferA(1 << 16), bufferB(1 << 16);
  for (;;) {
    DWORD readA = 0, readB = 0;
    if (!ReadFile(first.get(), bufferA.data(), DWORD(bufferA.size()), &readA, nullptr) ||
        !ReadFile(second.get(), bufferB.data(), DWORD(bufferB.size()), &readB, nullptr) || readA != readB)
      return false;
    if (readA == 0) return true;
    if (std::memcmp(bufferA.data(), bufferB.data(), readA) != 0) return false;
  }
}

WallpaperFile::WallpaperFile(const std::wstring& picturesFolder, const std::wstring& temporaryFolder) {
  if (!picturesFolder.empty()) target_ = picturesFolder + L"\\" + kFileName;
  if (!temporaryFolder.empty()) backup_ = temporaryFolder + L"\\" + kFileName;
}

WallpaperFile::~WallpaperFile() {
  if (!backup_.empty()) DeleteFileW(backup_.c_str());
}

bool WallpaperFile::Replace(const std::function<bool(const std::wstring& path)>& write) {
  if (target_.empty() || replaced_) return false;
  existed_ = PathFileExistsW(target_.c_str()) != FALSE;
  if (existed_ && (backup_.empty() || !CopyFileW(target_.c_str(), backup_.c_str(), FALSE) || !SameFileContents(target_, backup_))) {
    trace::Write(L"WallpaperFile::Replace: no checked backup of ", target_, L"; it stays as it is");
    return false;
  }
  replaced_ = true;
  if (write(target_)) return true;
  trace::Write(L"WallpaperFile::Replace: cannot write ", target_);
  Restore();
  return false;
}

void WallpaperFile::Restore() {
  if (!replaced_) return;
  replaced_ = false;
  if (existed_)
    PutBack();
  else
    DeleteFileW(target_.c_str());
}

bool WallpaperFile::PutBack() {
  if (CopyFileW(backup_.c_str(), target_.c_str(), FALSE)) return true;
  // The backup stays where it is, so the user's picture is not lost with it.
  trace::Write(L"WallpaperFile::Restore: cannot copy ", backup_, L" back over ", target_);
  backup_.clear();
  return false;
}
