#pragma once
// Helpers of the rename tests: scratch names left in a folder. Listings and the recycle bin are in
// support/FileChecks.h.
#include <windows.h>

#include <string>
#include <vector>

#include "support/FileChecks.h"

// Whether the folder holds any scratch name of the rename engine.
bool HasScratchNames(const std::wstring& folder);
