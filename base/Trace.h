#pragma once
// The diagnostic trace: one line per event, prefixed by class and operation ("FileMachine: ..."),
// written to standard output in UTF-8 and flushed at once. Nothing reads it; it never reaches the user.
#include <string>
#include <string_view>

namespace trace {

std::string ToUtf8(std::wstring_view text);

// Writes the concatenated parts as one line.
void Line(std::wstring_view text);

template <class... Parts>
void Write(const Parts&... parts) {
  std::wstring line;
  (line.append(parts), ...);
  Line(line);
}

// Tests capture the lines; a null sink restores standard output.
using Sink = void (*)(const std::string& utf8Line);
void SetSink(Sink sink);

}  // namespace trace
