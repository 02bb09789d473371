#include "imaging/ImageFiles.h"

#include "atl/Handles.h"
#include "base/ParentFolder.h"
#include "fileops/FileStream.h"

std::wstring AnyLengthPath(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
  if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t limit) {
  bytes.clear();
  UniqueFile file = OpenForReading(AnyLengthPath(path));
  uint64_t length = 0;
  if (!file || !FileLength(file.get(), length) || length > limit) return false;
  bytes.resize(size_t(length));
  DWORD got = 0;
  return ReadUpTo(file.get(), bytes.data(), DWORD(length), got) && got == length;
}

ComPtr<IStream> MemoryStream(const std::vector<uint8_t>& bytes) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size()));
  if (!memory) return {};
  void* at = GlobalLock(memory.get());
  if (!at) return {};
  if (!bytes.empty()) memcpy(at, bytes.data(), bytes.size());
  GlobalUnlock(memory.get());
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, stream.put()))) return {};
  memory.release();  // the stream frees it
  ULARGE_INTEGER size;
  size.QuadPart = bytes.size();
  stream->SetSize(size);
  return stream;
}

bool StreamBytes(IStream* stream, std::vector<uint8_t>& bytes) {
  STATSTG facts{};
  if (FAILED(stream->Stat(&facts, STATFLAG_NONAME)) || facts.cbSize.QuadPart > (1ull << 31)) return false;
  bytes.resize(size_t(facts.cbSize.QuadPart));
  LARGE_INTEGER start{};
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return false;
  ULONG got = 0;
  return bytes.empty() || (SUCCEEDED(stream->Read(bytes.data(), ULONG(bytes.size()), &got)) && got == bytes.size());
}

bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) {
  std::wstring target = AnyLengthPath(path);
  bool written;
  {
    UniqueFile file = CreateForWriting(target);
    if (!file) return false;
    written = size <= MAXDWORD && WriteAll(file.get(), data, DWORD(size));
  }
  if (!written) DeleteFileW(target.c_str());
  return written;
}

bool ReplaceFileSafely(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::wstring fresh = path + L".new";
  for (int attempt = 1; FileExists(fresh); ++attempt) fresh = path + L".new" + std::to_wstring(attempt);
  if (!WriteWholeFile(fresh, bytes.data(), bytes.size())) return false;
  // Our own file in place of our own copy: a plain replacing move, not a shell operation.
  if (MoveFileExW(AnyLengthPath(fresh).c_str(), AnyLengthPath(path).c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileW(AnyLengthPath(fresh).c_str());
  return false;
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(AnyLengthPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(AnyLengthPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureFolder(const std::wstring& path) {
  return FolderExists(path) || CreateDirectoryW(AnyLengthPath(path).c_str(), nullptr) || FolderExists(path);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  auto full = [](const std::wstring& path) {
    DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (!needed) return path;
    std::wstring result(needed, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), needed, result.data(), nullptr);
    result.resize(length < needed ? length : 0);
    return result.empty() ? path : result;
  };
  return SamePathText(full(a), full(b));
}
