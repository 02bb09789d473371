#pragma once
#include <string>
#include <string_view>
#include <vector>

// An ordered list of full paths: the selection, and what an operation produced.
using PathList = std::vector<std::wstring>;

// Paths looked at where they lie, valid while what they view lives.
using PathViews = std::vector<std::wstring_view>;
PathViews ViewsOf(const PathList& paths);
PathViews ViewsOf(const PathList&& paths) = delete;  // would view a list about to go
