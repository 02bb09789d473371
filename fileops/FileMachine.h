#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// The parts of a path, by text alone (no disk access).
struct PathParts {
  std::wstring name;                  // after the last backslash
  std::wstring title;                 // name without its extension
  std::wstring extension;             // after the last dot, A-Z lowered, no dot
  std::wstring folder;                // before the last backslash
  std::wstring pathWithoutExtension;  // up to the last dot of the extension
};
PathParts SplitPath(const std::wstring& path);
// Just the extension of SplitPath, for walks over many paths that need no other part.
std::wstring PathExtension(std::wstring_view path);

// The path as the file system stores it: the platform drops trailing dots and spaces from a name, so
// C:\a\abc. names C:\a\abc. Nothing of a name made of dots and spaces is left: C:\a\.. gives C:\a\,
// which is no item of that folder.
std::wstring StoredPath(const std::wstring& path);

// Lowers A-Z only, as every extension comparison of the system does.
std::wstring AsciiLower(std::wstring text);

// The facts about one path that the utilities need, computed once at construction.
class FileMachine {
 public:
  FileMachine(HWND owner, const std::wstring& path);

  HWND owner;
  std::wstring path;
  std::wstring name;
  std::wstring title;
  std::wstring extension;
  std::wstring folder;
  std::wstring pathWithoutExtension;
  std::wstring created;
  std::wstring accessed;
  uint64_t size = 0;  // a file's length, or a folder's direct entry count
  bool isFile = false;
  bool isReparsePoint = false;  // a junction or symbolic link: walks never descend into it
};

// For a folder, its direct entries other than "." and ".."; for a file, its length.
uint64_t FolderEntryCount(const std::wstring& path);
