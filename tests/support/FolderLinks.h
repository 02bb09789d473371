#pragma once
// Folder links for the tests of walks that must not enter them.
#include <string>

// Makes `link` a folder link to `target`: a symbolic link on Windows, a host symbolic link under Wine
// (which shows it as a reparse point). False when the platform can make neither.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);
// Removes the link itself, never what it points at.
void RemoveFolderLink(const std::wstring& link);
