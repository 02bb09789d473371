#include "tools/explorer/Output.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "base/Trace.h"

namespace out {
namespace {
std::mutex g_lock;

void Write(FILE* stream, std::wstring_view text) {
  std::string line = trace::ToUtf8(text);
  line.push_back('\n');
  std::lock_guard<std::mutex> guard(g_lock);
  fwrite(line.data(), 1, line.size(), stream);
  fflush(stream);
}
}  // namespace

void Line(std::wstring_view text) { Write(stdout, text); }

void Note(std::wstring_view text) { Write(stderr, std::wstring(L"explorer: ") + std::wstring(text)); }

std::wstring Hex(long value) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(value));
  return text;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(L'\n', start);
    std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!line.empty() && line.back() == L'\r' && end != std::wstring::npos) line.pop_back();
    lines.push_back(line);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace out
