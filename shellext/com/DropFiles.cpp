#include "shellext/com/DropFiles.h"

#include <shlobj.h>

#include <utility>

namespace {

// How many zero-terminated strings [text, last) holds before an empty one (or its end).
size_t CountList(const wchar_t* text, const wchar_t* last) {
  size_t count = 0;
  for (; text < last && *text; ++count) {
    while (text < last && *text) ++text;
    if (text == last) break;  // unterminated: not read either
    ++text;
  }
  return count;
}

// Views the zero-terminated strings of [text, last) until an empty one. Counted first: growing the
// list step by step would touch several times the memory it ends up with.
bool ReadList(const wchar_t* text, const wchar_t* last, PathViews& paths) {
  paths.reserve(CountList(text, last));
  while (text < last && *text) {
    const wchar_t* start = text;
    while (text < last && *text) ++text;
    if (text == last) return false;  // no terminator inside the block
    paths.emplace_back(start, size_t(text - start));
    ++text;
  }
  return text < last;  // the closing empty string
}

}  // namespace

DroppedFiles::DroppedFiles(STGMEDIUM& medium) : medium_(std::exchange(medium, STGMEDIUM{})) {
  try {
    Read();
  } catch (...) {
    Release();  // a half-made object gets no destructor
    throw;
  }
}

void DroppedFiles::Read() {
  if (medium_.tymed != TYMED_HGLOBAL || !medium_.hGlobal) return;
  SIZE_T size = GlobalSize(medium_.hGlobal);
  auto* header = static_cast<const DROPFILES*>(GlobalLock(medium_.hGlobal));
  if (!header) return;
  locked_ = true;
  if (size < sizeof(DROPFILES) || header->pFiles < sizeof(DROPFILES) || header->pFiles >= size) return;
  const BYTE* begin = reinterpret_cast<const BYTE*>(header) + header->pFiles;
  const BYTE* end = reinterpret_cast<const BYTE*>(header) + size;
  if (header->fWide) {
    auto* text = reinterpret_cast<const wchar_t*>(begin);
    complete_ = ReadList(text, text + size_t(end - begin) / sizeof(wchar_t), paths_);
    return;
  }
  // Widened as a whole: the zeros that end each path stay zeros.
  auto* ansi = reinterpret_cast<const char*>(begin);
  int length = MultiByteToWideChar(CP_ACP, 0, ansi, int(end - begin), nullptr, 0);
  if (length <= 0) return;
  widened_.resize(size_t(length));
  MultiByteToWideChar(CP_ACP, 0, ansi, int(end - begin), widened_.data(), length);
  complete_ = ReadList(widened_.data(), widened_.data() + widened_.size(), paths_);
}

void DroppedFiles::Release() {
  paths_.clear();
  widened_.clear();
  complete_ = false;
  if (locked_) GlobalUnlock(medium_.hGlobal);
  locked_ = false;
  if (medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
  medium_ = STGMEDIUM{};
}

void DroppedFiles::Swap(DroppedFiles& other) noexcept {
  std::swap(medium_, other.medium_);
  std::swap(locked_, other.locked_);
  widened_.swap(other.widened_);
  paths_.swap(other.paths_);
  std::swap(complete_, other.complete_);
}
