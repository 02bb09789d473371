#include "base/ParentFolder.h"

#include <windows.h>

#include <cwctype>
#include <mutex>

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The end of "server\share" starting at `from`: past the second name, or npos when it has no share.
size_t ShareEnd(const std::wstring& path, size_t from) {
  size_t server = path.find(L'\\', from);
  if (server == std::wstring::npos || server == from) return std::wstring::npos;
  size_t share = path.find(L'\\', server + 1);
  return share == std::wstring::npos ? path.size() : share;
}

// How many leading characters name the root: C:, \\?\C:, \\server\share, \\?\UNC\server\share; 0 for a
// path without one.
size_t RootLength(const std::wstring& path) {
  if (StartsWith(path, kLongUncPrefix)) {
    size_t end = ShareEnd(path, wcslen(kLongUncPrefix));
    return end == std::wstring::npos ? path.size() : end;
  }
  size_t start = StartsWith(path, kLongPrefix) ? wcslen(kLongPrefix) : 0;
  if (path.size() >= start + 2 && path[start + 1] == L':') return start + 2;
  if (start == 0 && StartsWith(path, L"\\\\")) {
    size_t end = ShareEnd(path, 2);
    return end == std::wstring::npos ? path.size() : end;
  }
  return 0;
}

std::wstring WithoutTrailingBackslashes(const std::wstring& path) {
  size_t end = path.size();
  while (end > 0 && path[end - 1] == L'\\') --end;
  return path.substr(0, end);
}

// The drive types the system answered, for the whole process: a right-click asks for the drive of its
// items, and under some systems the answer costs a round trip to the mount manager. An answer is
// trusted for a few seconds. A letter mapped to a share meanwhile is at worst taken for local once
// more, which costs a wait on that share; one that went from a share to a local disk is taken for a
// share once more, so its items' names tell files from folders for that menu.
constexpr ULONGLONG kDriveTypeLifetimeMs = 10000;

bool IsRemoteDrive(wchar_t letter) {
  struct Answer {
    bool remote = false;
    ULONGLONG asked = 0;  // 0: never asked
  };
  static std::mutex lock;
  static Answer answers[26];
  ULONGLONG now = GetTickCount64();
  Answer& answer = answers[letter - L'A'];
  {
    std::lock_guard<std::mutex> held(lock);
    if (answer.asked != 0 && now - answer.asked < kDriveTypeLifetimeMs) return answer.remote;
  }
  wchar_t drive[] = {letter, L':', L'\\', 0};
  bool remote = GetDriveTypeW(drive) == DRIVE_REMOTE;
  std::lock_guard<std::mutex> held(lock);
  answer = {remote, now ? now : 1};
  return remote;
}

}  // namespace

std::wstring ParentFolder(const std::wstring& path) {
  std::wstring stripped = WithoutTrailingBackslashes(path);
  size_t root = RootLength(stripped);
  if (root > 0 && stripped.size() <= root) return stripped.substr(0, root);
  for (size_t i = stripped.size(); i > 0; --i) {
    wchar_t c = stripped[i - 1];
    if (c == L':') return stripped.substr(0, i);
    if (c == L'\\') return stripped.substr(0, i - 1);
  }
  return L"";
}

bool IsRootFolder(const std::wstring& folder) {
  std::wstring stripped = WithoutTrailingBackslashes(folder);
  size_t root = RootLength(stripped);
  if (root == 0) return stripped.find(L'\\') == std::wstring::npos;
  return stripped.size() <= root;
}

bool SamePathText(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) == CSTR_EQUAL;
}

bool IsNetworkPath(std::wstring_view path) { return NetworkPathTest()(path); }

bool NetworkPathTest::operator()(std::wstring_view path) {
  if (StartsWith(path, kLongUncPrefix)) return true;
  if (StartsWith(path, kLongPrefix)) return false;
  if (StartsWith(path, L"\\\\")) return true;
  if (path.size() < 2 || path[1] != L':') return false;
  wchar_t letter = towupper(path[0]);
  if (letter < L'A' || letter > L'Z') return false;
  Known& known = drives_[letter - L'A'];
  if (known == Unknown) known = IsRemoteDrive(letter) ? Remote : Local;
  return known == Remote;
}
