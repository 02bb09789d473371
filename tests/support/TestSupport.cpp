#include "support/TestSupport.h"

#include <mutex>

#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"

namespace {
std::mutex g_traceLock;
std::vector<std::string> g_traceLines;
void CaptureLine(const std::string& line) {
  std::lock_guard<std::mutex> guard(g_traceLock);
  g_traceLines.push_back(line);
}
}  // namespace

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static LONG counter = 0;
  path_ = std::wstring(base) + L"brivane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(InterlockedIncrement(&counter));
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring TempDir::Folder(const std::wstring& relative) const {
  std::wstring full = *this / relative;
  for (size_t i = path_.size() + 1; i <= full.size(); ++i)
    if (i == full.size() || full[i] == L'\\') CreateDirectoryW(LongPathForm(full.substr(0, i)).c_str(), nullptr);
  return full;
}

std::wstring TempDir::File(const std::wstring& relative, const std::string& bytes) const {
  size_t slash = relative.rfind(L'\\');
  if (slash != std::wstring::npos) Folder(relative.substr(0, slash));
  std::wstring full = *this / relative;
  HANDLE file = CreateFileW(LongPathForm(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return full;
}

void RemoveTree(const std::wstring& path) {
  const std::wstring api = LongPathForm(path);  // test trees may pass MAX_PATH
  DWORD attributes = GetFileAttributesW(api.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(api.c_str());
    return;
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(LongPathForm(path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
  }
  RemoveDirectoryW(api.c_str());
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void SetCreationTime(const std::wstring& path, int year, int month, int day, int hour, int minute) {
  SYSTEMTIME st{};
  st.wYear = WORD(year);
  st.wMonth = WORD(month);
  st.wDay = WORD(day);
  st.wHour = WORD(hour);
  st.wMinute = WORD(minute);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  // Wine reports the earlier of the stored times as the creation time, so the write time moves too.
  SetFileTime(file, &ft, nullptr, &ft);
  CloseHandle(file);
}

TraceCapture::TraceCapture() {
  {
    std::lock_guard<std::mutex> guard(g_traceLock);
    g_traceLines.clear();
  }
  trace::SetSink(CaptureLine);
}

TraceCapture::~TraceCapture() { trace::SetSink(nullptr); }

std::vector<std::string> TraceCapture::lines() const {
  std::lock_guard<std::mutex> guard(g_traceLock);
  return g_traceLines;
}

int TraceCapture::Count(const std::string& text) const {
  int count = 0;
  for (const std::string& line : lines())
    if (line.find(text) != std::string::npos) ++count;
  return count;
}

std::string Narrow(const std::wstring& text) { return trace::ToUtf8(text); }

std::map<std::string, std::string> FolderTree(const std::wstring& folder) {
  std::map<std::string, std::string> tree;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(LongPathForm(folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return tree;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[Narrow(name)] = "<folder>";
      for (auto& [below, bytes] : FolderTree(path)) tree[Narrow(name) + "\\" + below] = bytes;
    } else {
      tree[Narrow(name)] = ReadBytes(path);
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return tree;
}
