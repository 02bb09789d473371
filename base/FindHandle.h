#pragma once
#include <windows.h>

#include <string>

// A FindFirstFileW search that closes itself.
class FindHandle {
 public:
  FindHandle(const std::wstring& pattern, WIN32_FIND_DATAW& first)
      : handle_(FindFirstFileW(pattern.c_str(), &first)) {}
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != FALSE; }

  // Looks one path up and closes the search at once.
  static bool Open(const std::wstring& path, WIN32_FIND_DATAW& data) { return FindHandle(path, data).valid(); }

 private:
  HANDLE handle_;
};

inline bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}
