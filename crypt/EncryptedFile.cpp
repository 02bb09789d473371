#include "crypt/EncryptedFile.h"

#include "crypt/PasswordCipher.h"
#include "crypt/PasswordDigest.h"
#include "crypt/TemporaryOutput.h"
#include "fileops/FileMachine.h"
#include "fileops/FileStream.h"
#include "fileops/Trace.h"

namespace {

constexpr DWORD kBlockSize = 4096;

enum class Direction { Encrypt, Decrypt };

// Streams the rest of `in` through the cipher into `out`, block by block in one fixed array; only the
// first short block (0 to 4095 bytes) is final.
int Transform(HANDLE in, HANDLE out, PasswordCipher& cipher, Direction direction) {
  uint8_t block[kBlockSize];
  for (;;) {
    DWORD got = 0;
    if (!ReadUpTo(in, block, kBlockSize, got)) return crypt_code::ReadWriteFailed;
    const bool final = got < kBlockSize;
    bool ciphered = direction == Direction::Encrypt ? cipher.Encrypt(block, got, final) : cipher.Decrypt(block, got, final);
    if (!ciphered) return crypt_code::CipherFailed;
    if (!WriteAll(out, block, got)) return crypt_code::ReadWriteFailed;
    if (final) return crypt_code::Done;
  }
}

// Makes the new content durable and puts it in the item's place.
int Finish(UniqueFile& in, UniqueFile& out, TemporaryOutput& temporary, const std::wstring& path) {
  bool flushed = FlushFileBuffers(out.get()) != FALSE;
  in.reset();
  out.reset();
  if (!flushed) return crypt_code::ReadWriteFailed;
  if (!temporary.ReplaceItem(path)) {
    trace::Write(L"Error replacing ", path);
    return crypt_code::ReplaceFailed;
  }
  return crypt_code::Done;
}

}  // namespace

int EncryptFile(HWND, const std::wstring& path, const std::wstring& password) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return crypt_code::NotAFile;

  TemporaryOutput temporary(SplitPath(path).folder, L"mrvtmp");
  if (!temporary.valid()) {
    trace::Write(L"GetTempFileName failed!");
    return crypt_code::NoTemporaryFile;
  }
  UniqueFile in = OpenForReading(path);
  if (!in) {
    trace::Write(L"Error opening source file");
    return crypt_code::EncryptSourceOpen;
  }
  UniqueFile out = CreateForWriting(temporary.path());
  if (!out) {
    trace::Write(L"Error opening dest file");
    return crypt_code::EncryptDestOpen;
  }

  std::vector<uint8_t> bytes = PasswordBytes(password);
  std::optional<Digest> digest = PasswordDigest(bytes.data(), bytes.size());
  if (!digest) return crypt_code::NoDigest;
  if (!WriteAll(out.get(), digest->data(), DWORD(digest->size()))) return crypt_code::ReadWriteFailed;

  PasswordCipher cipher;
  if (!cipher.Open(bytes)) return crypt_code::CipherFailed;
  if (int code = Transform(in.get(), out.get(), cipher, Direction::Encrypt)) return code;
  return Finish(in, out, temporary, path);
}

int DecryptFile(HWND, const std::wstring& path, const std::wstring& password) {
  // Only the first three characters of the prefix make the name: "WexXXXX.tmp".
  TemporaryOutput temporary(SplitPath(path).folder, L"Wex4Temp");
  if (!temporary.valid()) {
    trace::Write(L"GetTempFileName failed!");
    return crypt_code::NoTemporaryFile;
  }
  UniqueFile in = OpenForReading(path);
  if (!in) {
    trace::Write(L"Error opening source file");
    return crypt_code::DecryptSourceOpen;
  }
  UniqueFile out = CreateForWriting(temporary.path());
  if (!out) {
    trace::Write(L"Error opening dest file");
    return crypt_code::DecryptDestOpen;
  }

  Digest stored{};
  DWORD got = 0;
  if (!ReadUpTo(in.get(), stored.data(), DWORD(stored.size()), got)) return crypt_code::ReadWriteFailed;
  if (got < stored.size()) return crypt_code::TooShort;

  PasswordCipher cipher;
  if (!cipher.Open(PasswordBytes(password))) return crypt_code::CipherFailed;
  if (int code = Transform(in.get(), out.get(), cipher, Direction::Decrypt)) return code;
  return Finish(in, out, temporary, path);
}

bool CheckPassword(const std::wstring& path, const std::wstring& password) {
  // Only the check value is read: another program may be writing the file.
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  Digest stored{};
  DWORD got = 0;
  if (!file || !ReadUpTo(file.get(), stored.data(), DWORD(stored.size()), got) || got < stored.size()) return false;
  std::vector<uint8_t> bytes = PasswordBytes(password);
  std::optional<Digest> digest = PasswordDigest(bytes.data(), bytes.size());
  return digest && *digest == stored;
}
