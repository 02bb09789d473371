#include "crypt/TemporaryOutput.h"

#include <windows.h>

#include "fileops/FileOperation.h"

TemporaryOutput::TemporaryOutput(const std::wstring& folder, const wchar_t* prefix)
    : path_(MakeTempFileName(folder, prefix)) {}

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
