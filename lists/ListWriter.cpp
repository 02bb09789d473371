#include "lists/ListWriter.h"

#include <windows.h>

#include "fileops/DirectoryWalk.h"
#include "fileops/FileStream.h"

bool ListWriter::Create(const std::wstring& path) {
  file_ = CreateForWriting(LongPathForm(path));
  if (!file_) return false;
  buffer_.reserve(kBlockChars + 256);
  buffer_.assign(1, L'\xFEFF');
  sound_ = true;
  return Flush();
}

void ListWriter::Text(std::wstring_view text) {
  if (!sound_) return;
  for (wchar_t c : text) {
    if (c == L'\n') buffer_.push_back(L'\r');
    buffer_.push_back(c);
  }
  if (buffer_.size() >= kBlockChars) Flush();
}

bool ListWriter::Flush() {
  if (sound_ && file_ && !buffer_.empty()) {
    static_assert(sizeof(wchar_t) == 2, "the list is written as the UTF-16LE code units themselves");
    sound_ = WriteAll(file_.get(), buffer_.data(), DWORD(buffer_.size() * sizeof(wchar_t)));
  }
  buffer_.clear();
  return sound_;
}
