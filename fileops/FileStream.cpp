#include "fileops/FileStream.h"

#include <algorithm>

UniqueFile OpenForReading(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

UniqueFile CreateForWriting(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadUpTo(HANDLE file, void* buffer, DWORD size, DWORD& got) {
  got = 0;
  while (got < size) {
    DWORD read = 0;
    if (!ReadFile(file, static_cast<uint8_t*>(buffer) + got, size - got, &read, nullptr)) return false;
    if (read == 0) break;
    got += read;
  }
  return true;
}

bool WriteAll(HANDLE file, const void* buffer, DWORD size) {
  DWORD done = 0;
  while (done < size) {
    DWORD written = 0;
    if (!WriteFile(file, static_cast<const uint8_t*>(buffer) + done, size - done, &written, nullptr) || !written)
      return false;
    done += written;
  }
  return true;
}

bool Skip(HANDLE file, uint64_t bytes) {
  uint64_t length = 0;
  LARGE_INTEGER here{}, move{};
  if (!FileLength(file, length) || !SetFilePointerEx(file, move, &here, FILE_CURRENT)) return false;
  if (length - uint64_t(here.QuadPart) < bytes) return false;
  move.QuadPart = LONGLONG(bytes);
  return SetFilePointerEx(file, move, nullptr, FILE_CURRENT) != FALSE;
}

bool CopyBytes(HANDLE in, HANDLE out, uint64_t limit, uint8_t* buffer, DWORD chunk, uint64_t& copied) {
  copied = 0;
  while (copied < limit) {
    DWORD want = DWORD(std::min<uint64_t>(chunk, limit - copied)), got = 0;
    if (!ReadUpTo(in, buffer, want, got)) return false;
    if (got && !WriteAll(out, buffer, got)) return false;
    copied += got;
    if (got < want) break;
  }
  return true;
}

bool FileLength(HANDLE file, uint64_t& length) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return false;
  length = uint64_t(size.QuadPart);
  return true;
}

bool OpenElsewhere(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}
