#pragma once
// A file type whose "open" copies the opened file to a record, so that a test sees whether the system
// opened a file, which one and with what content: ".brvopened" files while this lives (machine-wide
// classes, as the prefix's shell reads them).
#include <windows.h>

#include <string>

class RecordedOpening {
 public:
  explicit RecordedOpening(std::wstring record);
  ~RecordedOpening();
  RecordedOpening(const RecordedOpening&) = delete;
  RecordedOpening& operator=(const RecordedOpening&) = delete;

  // The content of the opened file once it was opened, or "<not opened>" after the wait.
  std::string Opened(DWORD waitMs) const;

 private:
  std::wstring record_;
};
