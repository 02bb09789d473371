#pragma once
#include <string>

// The user's temporary folder without a closing backslash; empty when the system names none.
std::wstring TemporaryFolder();
