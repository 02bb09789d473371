#include "crypt/TemporaryOutput.h"

#include <windows.h>

#include "fileops/FileOperation.h"

TemporaryOutput::TemporaryOutput(const std::wstring& folder, const wchar_t* prefix, const std::wstring& nameAfter)
    : path_(MakeTempFileName(folder, prefix)) {
  if (path_.empty()) path_ = MakeScratchFileBeside(nameAfter);
}

TemporaryOutput::~TemporaryOutput() {
  if (valid()) DeleteFileW(path_.c_str());
}

bool TemporaryOutput::ReplaceItem(const std::wstring& item) {
  DWORD attributes = GetFileAttributesW(item.c_str());
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  // Windows refuses to replace a read-only file.
  if (readOnly) SetFileAttributesW(item.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!MoveFileExW(path_.c_str(), item.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    if (readOnly) SetFileAttributesW(item.c_str(), attributes);
    return false;
  }
  path_.clear();
  if (readOnly) SetFileAttributesW(item.c_str(), GetFileAttributesW(item.c_str()) | FILE_ATTRIBUTE_READONLY);
  return true;
}

bool TemporaryOutput::TakeName(const std::wstring& name, bool readOnly) {
  if (!MoveFileExW(path_.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
  path_.clear();
  if (readOnly) SetFileAttributesW(name.c_str(), GetFileAttributesW(name.c_str()) | FILE_ATTRIBUTE_READONLY);
  return true;
}
