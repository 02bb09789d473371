#pragma once
// The stand-in's report: whole lines on standard output in UTF-8, flushed at once, so that lines from
// the script thread, the window watcher and a handler's own trace never interleave within a line.
#include <string>
#include <string_view>
#include <vector>

namespace out {

void Line(std::wstring_view text);

// A diagnostic for the developer (a handler that failed to load, a skipped registry entry): standard
// error, so that the report on standard output stays exactly what a user would see.
void Note(std::wstring_view text);

std::wstring Hex(long value);  // 0x80070057

// The lines of a text as the report shows them: split at CR LF or LF, so a trailing line break shows
// as a last empty line.
std::vector<std::wstring> SplitLines(const std::wstring& text);

}  // namespace out
