#pragma once
// Checks on real folders shared by the test programs: listings, the recycle bin, and folders whose
// paths reach the classic path limit.
#include <windows.h>

#include <string>
#include <vector>

class TempDir;

// The names directly inside the folder, sorted.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
// Whether an item of that name lies in the recycle bin.
bool InRecycleBin(const std::wstring& name);
// A name no earlier run has used, so that it can be looked for in the recycle bin.
std::wstring UniqueName(const std::wstring& stem, const std::wstring& extension);
// Creates nested folders inside the scratch folder so that the innermost one's full path has exactly
// `length` characters (at most 258), and returns that path.
std::wstring FolderOfLength(const TempDir& dir, size_t length);
