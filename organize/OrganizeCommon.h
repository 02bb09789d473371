#pragma once
// What the organize operations share: their statuses, the summary of a batch, and the path rules.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/DirectoryWalk.h"

namespace status {
enum : int32_t {
  DestinationIsFile = 16,  // move into, or extract to, a path that names a file
  NotAFolder = 16,         // extract from a file
  IntoItself = 17,         // a folder copied or moved into itself or into one of its own subfolders
};
}
static_assert(StatusesWithin(status_range::Organize, {status::DestinationIsFile, status::NotAFolder, status::IntoItself}));

extern const wchar_t kDestinationIsFile[];     // "The destination can't be a file"
extern const wchar_t kExtractIncomplete[];     // "Some files or folders failed to extract completely...."

// The text after the last "\" or "/", or the whole path when there is neither.
std::wstring NameAfterSlash(const std::wstring& path);
// Whether the path is the folder itself or lies anywhere below it (letter case ignored).
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder);

// GetFileAttributesW, long paths included; INVALID_FILE_ATTRIBUTES when the item is not there.
DWORD Attributes(const std::wstring& path);
inline bool ItemExists(const std::wstring& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
inline bool IsFolderItem(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder with every missing level (SHCreateDirectoryExW); writes the trace line when it is
// there already. True when the path is a folder afterwards.
bool CreateDestination(HWND owner, const std::wstring& folder, const wchar_t* alreadyThereTrace);
