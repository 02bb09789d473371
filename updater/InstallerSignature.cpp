#include "updater/InstallerSignature.h"

#include <bcrypt.h>

#include <cstring>
#include <vector>

#include "atl/Handles.h"

namespace {

struct AlgorithmTraits {
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static bool Valid(BCRYPT_ALG_HANDLE handle) { return handle != nullptr; }
  static void Close(BCRYPT_ALG_HANDLE handle) { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct HashTraits {
  static BCRYPT_HASH_HANDLE Invalid() { return nullptr; }
  static bool Valid(BCRYPT_HASH_HANDLE handle) { return handle != nullptr; }
  static void Close(BCRYPT_HASH_HANDLE handle) { BCryptDestroyHash(handle); }
};
struct KeyTraits {
  static BCRYPT_KEY_HANDLE Invalid() { return nullptr; }
  static bool Valid(BCRYPT_KEY_HANDLE handle) { return handle != nullptr; }
  static void Close(BCRYPT_KEY_HANDLE handle) { BCryptDestroyKey(handle); }
};
using UniqueAlgorithm = UniqueHandle<BCRYPT_ALG_HANDLE, AlgorithmTraits>;
using UniqueHash = UniqueHandle<BCRYPT_HASH_HANDLE, HashTraits>;
using UniqueCngKey = UniqueHandle<BCRYPT_KEY_HANDLE, KeyTraits>;

bool Succeeded(NTSTATUS status) { return status >= 0; }

UniqueAlgorithm OpenAlgorithm(const wchar_t* name) {
  UniqueAlgorithm algorithm;
  if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.put(), name, nullptr, 0))) algorithm.reset();
  return algorithm;
}

class Sha256 {
 public:
  Sha256() : algorithm_(OpenAlgorithm(BCRYPT_SHA256_ALGORITHM)) {
    ok_ = algorithm_ && Succeeded(BCryptCreateHash(algorithm_.get(), hash_.put(), nullptr, 0, nullptr, 0, 0));
  }
  void Add(const void* data, size_t size) {
    ok_ = ok_ && Succeeded(BCryptHashData(hash_.get(), static_cast<PUCHAR>(const_cast<void*>(data)), ULONG(size), 0));
  }
  bool Finish(Sha256Digest& digest) {
    return ok_ && Succeeded(BCryptFinishHash(hash_.get(), digest.data(), ULONG(digest.size()), 0));
  }

 private:
  UniqueAlgorithm algorithm_;
  UniqueHash hash_;
  bool ok_ = false;
};

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool AppendNarrow(const std::wstring& text, std::string& out) {
  for (wchar_t c : text) {
    if (c > 0xFF || c == L'\n') return false;
    out.push_back(char(c));
  }
  out.push_back('\n');
  return true;
}

}  // namespace

bool ParseSignatureLine(std::wstring_view line, EcdsaSignature& signature) {
  std::wstring_view tag = kSignatureTag;
  if (line.substr(0, tag.size()) != tag) return false;
  std::wstring_view digits = line.substr(tag.size());
  while (!digits.empty() && (digits.back() == L' ' || digits.back() == L'\t' || digits.back() == L'\r'))
    digits.remove_suffix(1);
  if (digits.size() != signature.size() * 2) return false;
  for (size_t i = 0; i < signature.size(); ++i) {
    int high = HexValue(digits[2 * i]), low = HexValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    signature[i] = uint8_t(high * 16 + low);
  }
  return true;
}

std::string SignedStatement(const std::wstring& version, const std::wstring& installerUrl, const Sha256Digest& installer) {
  std::string statement = std::string(kVersionFileMarker) + "\n";
  if (!AppendNarrow(version, statement) || !AppendNarrow(installerUrl, statement)) return {};
  static const char kHex[] = "0123456789abcdef";
  for (uint8_t byte : installer) {
    statement.push_back(kHex[byte >> 4]);
    statement.push_back(kHex[byte & 0x0F]);
  }
  statement.push_back('\n');
  return statement;
}

bool HashFile(HANDLE file, Sha256Digest& digest) {
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
  Sha256 hash;
  std::vector<char> buffer(64 * 1024);
  DWORD read = 0;
  do {
    if (!ReadFile(file, buffer.data(), DWORD(buffer.size()), &read, nullptr)) return false;
    hash.Add(buffer.data(), read);
  } while (read != 0);
  return hash.Finish(digest);
}

bool VerifySignature(std::string_view statement, const EcdsaSignature& signature, const MakerKey& key) {
  Sha256 hash;
  hash.Add(statement.data(), statement.size());
  Sha256Digest digest;
  if (statement.empty() || !hash.Finish(digest)) return false;

  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
  auto* header = reinterpret_cast<BCRYPT_ECCKEY_BLOB*>(blob.data());
  header->dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
  header->cbKey = ULONG(key.size() / 2);
  memcpy(blob.data() + sizeof(BCRYPT_ECCKEY_BLOB), key.data(), key.size());

  UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
  UniqueCngKey publicKey;
  if (!algorithm || !Succeeded(BCryptImportKeyPair(algorithm.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, publicKey.put(),
                                                   blob.data(), ULONG(blob.size()), 0)))
    return false;
  return BCryptVerifySignature(publicKey.get(), nullptr, digest.data(), ULONG(digest.size()),
                               const_cast<UCHAR*>(signature.data()), ULONG(signature.size()), 0) == 0;
}

bool VerifyInstaller(HANDLE installer, const VersionFile& release, const MakerKey& key) {
  EcdsaSignature signature;
  Sha256Digest digest;
  if (!ParseSignatureLine(release.signature, signature) || !HashFile(installer, digest)) return false;
  return VerifySignature(SignedStatement(release.version, release.installerUrl, digest), signature, key);
}
