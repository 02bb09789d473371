#pragma once
// The list file as a stream of UTF-16LE text: the byte-order mark FF FE first, every line feed written as
// CR LF, collected in a small buffer and written out in blocks. The first failed write marks the writer
// failed for the rest of the run; nothing more is written after it.
#include <string>
#include <string_view>

#include "atl/Handles.h"

class ListWriter {
 public:
  ListWriter() = default;
  ~ListWriter() { Flush(); }
  ListWriter(const ListWriter&) = delete;
  ListWriter& operator=(const ListWriter&) = delete;

  // Creates the file (emptying an existing one) and writes the byte-order mark; false when it cannot be
  // created.
  bool Create(const std::wstring& path);

  // The text, each "\n" in it becoming CR LF.
  void Text(std::wstring_view text);
  // The text and one line feed.
  void Line(std::wstring_view text) {
    Text(text);
    Text(L"\n");
  }
  // Writes out what is buffered; false once any write has failed.
  bool Flush();

 private:
  static constexpr size_t kBlockChars = 32768;

  UniqueFile file_;
  std::wstring buffer_;
  bool sound_ = true;
};
