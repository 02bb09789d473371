#pragma once
// Helpers of the rename tests: folder listings and the recycle bin.
#include <windows.h>

#include <string>
#include <vector>

// The names directly inside the folder, sorted.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
// Whether the folder holds any scratch name of the rename engine.
bool HasScratchNames(const std::wstring& folder);
// Whether an item of that name lies in the recycle bin.
bool InRecycleBin(const std::wstring& name);
// A name no earlier run has used.
std::wstring UniqueName(const std::wstring& stem, const std::wstring& extension);
