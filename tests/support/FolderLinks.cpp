#include "support/FolderLinks.h"

#include <windows.h>

#include <cstring>

namespace {

// The host path of a Windows path under Wine; empty on Windows.
std::wstring HostPath(const std::wstring& path) {
  using UnixName = char* (*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return L"";
  std::wstring host(name, name + strlen(name));  // the test folders have ASCII names
  HeapFree(GetProcessHeap(), 0, name);
  return host;
}

// Starts a host program (Wine runs host executables like its own) and waits until `done` holds.
template <class Done>
bool RunOnHost(const wchar_t* program, std::wstring commandLine, Done done) {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // A host process is no Wine process: its handle does not signal its end.
  for (int i = 0; i < 100 && !done(); ++i) Sleep(20);
  return done();
}

bool IsLinkPath(const std::wstring& link) {
  DWORD attributes = GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  CreateSymbolicLinkW(link.c_str(), target.c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  if (IsLinkPath(link)) return true;
  // Wine claims success without making a link, but shows host symbolic links as reparse points.
  std::wstring hostLink = HostPath(link), hostTarget = HostPath(target);
  if (hostLink.empty() || hostTarget.empty()) return false;
  return RunOnHost(L"Z:\\bin\\ln", L"/bin/ln -s \"" + hostTarget + L"\" \"" + hostLink + L"\"",
                   [&] { return IsLinkPath(link); });
}

void RemoveFolderLink(const std::wstring& link) {
  if (RemoveDirectoryW(link.c_str()) || DeleteFileW(link.c_str())) return;
  std::wstring hostLink = HostPath(link);
  if (!hostLink.empty())
    RunOnHost(L"Z:\\bin\\rm", L"/bin/rm -f \"" + hostLink + L"\"",
              [&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}
