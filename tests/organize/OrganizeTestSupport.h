#pragma once
// What the organize tests share: files held open as another program holds them, and scratch names left.
#include <windows.h>

#include <string>

#include "atl/Handles.h"

// Opens the file without sharing, as a program that locks it does.
inline UniqueFile HoldOpen(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Items named "mrv*.tmp" in the folder: scratch files or folders left behind.
inline bool HasScratchItems(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\mrv*.tmp").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}
