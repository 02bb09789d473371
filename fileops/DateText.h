#pragma once
#include <windows.h>

#include <string>

// "D/M/YYYY  H:M" in UTC with no leading zeros; "NULL" when there is no time.
std::wstring DateText(const FILETIME* time);
