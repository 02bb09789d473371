#pragma once
#include <string>
#include <vector>

// An ordered list of full paths: the selection, and what an operation produced.
using PathList = std::vector<std::wstring>;
