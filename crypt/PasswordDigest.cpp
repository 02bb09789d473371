#include "crypt/PasswordDigest.h"

#include "crypt/CryptHandles.h"

std::vector<uint8_t> PasswordBytes(const std::wstring& password) {
  std::vector<uint8_t> bytes;
  bytes.reserve(2 * (password.size() + 1));
  for (wchar_t unit : password) {
    bytes.push_back(uint8_t(unit & 0xFF));
    bytes.push_back(uint8_t((unit >> 8) & 0xFF));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::optional<Digest> PasswordDigest(const uint8_t* bytes, size_t count) {
  UniqueCryptProvider provider;
  UniqueCryptHash hash;
  if (!CryptAcquireContextW(provider.put(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_MACHINE_KEYSET) ||
      !CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.put()) ||
      !CryptHashData(hash.get(), bytes, DWORD(count), 0))
    return std::nullopt;
  Digest digest{};
  DWORD size = DWORD(digest.size());
  if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &size, 0) || size != digest.size()) return std::nullopt;
  return digest;
}
