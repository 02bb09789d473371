#include "fileops/FileMachine.h"

#include "base/FindHandle.h"
#include "base/Trace.h"
#include "fileops/DateText.h"

std::wstring AsciiLower(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
  return text;
}

namespace {
// Where the extension's dot is; npos when there is none. A dot in a folder name is no extension.
size_t ExtensionDot(std::wstring_view path) {
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || path.find(L'\\', dot + 1) != std::wstring::npos) return std::wstring::npos;
  return dot;
}
}  // namespace

std::wstring PathExtension(std::wstring_view path) {
  size_t dot = ExtensionDot(path);
  return dot == std::wstring::npos ? std::wstring() : AsciiLower(std::wstring(path.substr(dot + 1)));
}

PathParts SplitPath(const std::wstring& path) {
  PathParts parts{path, path, L"", L"", path};
  size_t dot = ExtensionDot(path);
  if (dot != std::wstring::npos) {
    parts.extension = AsciiLower(path.substr(dot + 1));
    parts.pathWithoutExtension = path.substr(0, dot);
  }
  size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos) {
    parts.name = path.substr(slash + 1);
    parts.title = parts.extension.empty() ? parts.name : parts.name.substr(0, parts.name.size() - parts.extension.size() - 1);
    parts.folder = path.substr(0, slash);
  }
  return parts;
}

std::wstring StoredPath(const std::wstring& path) {
  size_t end = path.size();
  while (end > 0 && (path[end - 1] == L'.' || path[end - 1] == L' ')) --end;
  return path.substr(0, end);
}

uint64_t FolderEntryCount(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  if (!FindHandle::Open(path, data)) {
    trace::Write(L"FindFirstFile failed for ", path);
    return 0;
  }
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return (uint64_t(data.nFileSizeHigh) << 32) + data.nFileSizeLow;
  uint64_t count = 0;
  FindHandle search(path + L"\\*.*", data);
  if (!search.valid()) return 0;
  do {
    if (!IsDotEntry(data.cFileName)) ++count;
  } while (search.next(data));
  return count;
}

FileMachine::FileMachine(HWND owner, const std::wstring& path) : owner(owner), path(path) {
  PathParts parts = SplitPath(path);
  name = parts.name;
  title = parts.title;
  extension = parts.extension;
  folder = parts.folder;
  pathWithoutExtension = parts.pathWithoutExtension;

  WIN32_FIND_DATAW data;
  if (!FindHandle::Open(path, data)) {
    trace::Write(L"FileMachine: FindFirstFile failed for ", path);
    return;
  }
  created = DateText(&data.ftCreationTime);
  accessed = DateText(&data.ftLastAccessTime);
  size = FolderEntryCount(path);
  isFile = !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  isReparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
