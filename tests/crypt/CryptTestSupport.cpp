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
