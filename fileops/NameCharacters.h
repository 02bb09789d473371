#pragma once
// The characters no file or folder name may hold, and the check every dialog that asks for a new name
// makes before it goes on.
#include <windows.h>

#include <string_view>

// The 41 characters no file name may hold: '"', '<', '>', '|', U+0000 to U+001F, ':', '*', '?', '\', '/'.
bool IsInvalidNameCharacter(wchar_t c);
bool HasInvalidNameCharacter(std::wstring_view text);

enum class NameProblem {
  None,
  Empty,
  // An invalid character; for a folder, also a leading space. Names of dots and spaces alone count too:
  // the platform reads "." and ".." as folders that already exist and strips the rest to nothing.
  Invalid,
};
NameProblem CheckNewName(std::wstring_view name, bool folder);

// The check of a dialog's OK: refuses an empty or invalid name with the folder's or the file's message
// (asked through the prompt hook over the owner) and returns false; true when the name can be used.
bool AcceptNewName(HWND owner, std::wstring_view name, bool folder);
