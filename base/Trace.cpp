#include "base/Trace.h"

#include <cstdio>
#include <iterator>
#include <mutex>

#include <utf8.h>

namespace trace {
namespace {
std::mutex g_lock;
Sink g_sink = nullptr;
}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  try {
    utf8::utf16to8(text.begin(), text.end(), std::back_inserter(out));
  } catch (const utf8::exception&) {
    // A path may hold an unpaired surrogate; the trace shows it replaced, never drops the line.
    out.clear();
    std::u16string copy(text.begin(), text.end());
    std::u16string fixed;
    for (size_t i = 0; i < copy.size(); ++i) {
      char16_t c = copy[i];
      bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
      if (high && i + 1 < copy.size() && copy[i + 1] >= 0xDC00 && copy[i + 1] <= 0xDFFF) {
        fixed.push_back(c);
        fixed.push_back(copy[++i]);
      } else {
        fixed.push_back(high || low ? u'\uFFFD' : c);
      }
    }
    utf8::utf16to8(fixed.begin(), fixed.end(), std::back_inserter(out));
  }
  return out;
}

void Line(std::wstring_view text) {
  std::string line = ToUtf8(text);
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_sink) {
    g_sink(line);
    return;
  }
  line.push_back('\n');
  fwrite(line.data(), 1, line.size(), stdout);
  fflush(stdout);
}

void SetSink(Sink sink) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_sink = sink;
}

}  // namespace trace
