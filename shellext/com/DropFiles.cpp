#include "shellext/com/DropFiles.h"

#include <shlobj.h>

#include <string>

namespace {

// Reads zero-terminated strings of Char from [begin, end) until an empty one.
template <class Char, class Convert>
bool ReadList(const BYTE* begin, const BYTE* end, PathList& paths, Convert convert) {
  auto* text = reinterpret_cast<const Char*>(begin);
  auto* last = reinterpret_cast<const Char*>(end);
  while (text < last && *text) {
    const Char* start = text;
    while (text < last && *text) ++text;
    if (text == last) return false;  // no terminator inside the block
    paths.push_back(convert(start, size_t(text - start)));
    ++text;
  }
  return text < last;  // the closing empty string
}

std::wstring FromAnsi(const char* text, size_t length) {
  int size = MultiByteToWideChar(CP_ACP, 0, text, int(length), nullptr, 0);
  std::wstring wide(size_t(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, int(length), wide.data(), size);
  return wide;
}

}  // namespace

bool ReadDropFiles(HGLOBAL block, PathList& paths) {
  SIZE_T size = GlobalSize(block);
  auto* header = static_cast<const DROPFILES*>(GlobalLock(block));
  if (!header) return false;
  bool complete = false;
  if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
    auto* base = reinterpret_cast<const BYTE*>(header);
    const BYTE* begin = base + header->pFiles;
    const BYTE* end = base + size;
    if (header->fWide) {
      end -= (end - begin) % sizeof(wchar_t);
      complete = ReadList<wchar_t>(begin, end, paths,
                                   [](const wchar_t* text, size_t length) { return std::wstring(text, length); });
    } else {
      complete = ReadList<char>(begin, end, paths, FromAnsi);
    }
  }
  GlobalUnlock(block);
  return complete;
}
