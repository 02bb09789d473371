#include "CryptTestSupport.h"

#include <windows.h>

#include "crypt/EncryptedFile.h"
#include "support/TestSupport.h"

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string ToHex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += {digits[c >> 4], digits[c & 15]};
  return hex;
}

std::string Rc4Keystream(const std::string& key, size_t length) {
  uint8_t s[256];
  for (int i = 0; i < 256; ++i) s[i] = uint8_t(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + uint8_t(key[i % key.size()])) & 0xFF;
    std::swap(s[i], s[j]);
  }
  std::string stream(length, '\0');
  for (size_t n = 0, i = 0, j = 0; n < length; ++n) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    stream[n] = char(s[(s[i] + s[j]) & 0xFF]);
  }
  return stream;
}

bool IsEncryptionOf(const std::wstring& path, const std::string& plain, const std::wstring& password) {
  std::string bytes = ReadBytes(path);
  return bytes.size() == plain.size() + 16 && CheckPassword(path, password) && bytes.substr(16) != plain;
}

std::vector<std::wstring> TemporaryFilesIn(const std::wstring& folder) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\*.tmp").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do found.push_back(data.cFileName);
  while (FindNextFileW(search, &data));
  FindClose(search);
  return found;
}

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
