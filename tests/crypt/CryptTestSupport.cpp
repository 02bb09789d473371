#include "CryptTestSupport.h"

#include <windows.h>

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
using UnixName = char* (*)(const wchar_t*);
}

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  auto linked = [&] {
    DWORD attributes = GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  };
  CreateSymbolicLinkW(link.c_str(), target.c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  if (linked()) return true;
  // Wine claims success without making a link, but reports host symbolic links as reparse points:
  // make one with the host's ln, which Wine starts like any program.
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return false;
  char* hostLink = unixName(link.c_str());
  char* hostTarget = unixName(target.c_str());
  if (!hostLink || !hostTarget) return false;
  std::wstring command = L"/bin/ln -s \"" + std::wstring(hostTarget, hostTarget + strlen(hostTarget)) + L"\" \"" +
                         std::wstring(hostLink, hostLink + strlen(hostLink)) + L"\"";
  HeapFree(GetProcessHeap(), 0, hostLink);
  HeapFree(GetProcessHeap(), 0, hostTarget);
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // The host process is not a Wine process: its handle does not signal its end, so look for the link.
  for (int i = 0; i < 100 && !linked(); ++i) Sleep(20);
  return linked();
}
