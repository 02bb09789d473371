#pragma once
#include <string>

// Strips trailing backslashes, then cuts at the last backslash, or just after the last colon:
// C:\a\b.txt -> C:\a, C:\a -> C:, a name with neither -> empty.
std::wstring ParentFolder(const std::wstring& path);
