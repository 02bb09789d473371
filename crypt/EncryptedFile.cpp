#include "crypt/EncryptedFile.h"

#include "base/Trace.h"
#include "crypt/PasswordCipher.h"
#include "crypt/PasswordDigest.h"
#include "crypt/TemporaryOutput.h"
#include "fileops/FileMachine.h"
#include "fileops/FileStream.h"

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

// An item being rewritten: its content streams from `in` through the cipher into a temporary file
// beside it, which then takes the item's place, or the item's new name when it has one.
class Rewrite {
  // Declared before the handles: the temporary file is deleted only after they are closed.
  std::wstring path_;
  std::wstring target_;
  TemporaryOutput temporary_;

  // The shorter of the two names: a scratch file named after it fits wherever both do.
  static const std::wstring& Shorter(const std::wstring& a, const std::wstring& b) { return a.size() <= b.size() ? a : b; }

 public:
  Rewrite(const std::wstring& path, const std::wstring& target, const wchar_t* prefix)
      : path_(path), target_(target), temporary_(SplitPath(path).folder, prefix, Shorter(path, target)) {}

  // Done, or the code of the step that failed: the temporary file, the item, the output.
  int Open(int sourceCode, int destCode) {
    if (!temporary_.valid()) {
      trace::Write(L"GetTempFileName failed!");
      return crypt_code::NoTemporaryFile;
    }
    in = OpenForReading(path_);
    if (!in) {
      trace::Write(L"Error opening source file");
      return sourceCode;
    }
    out = CreateForWriting(temporary_.path());
    if (!out) {
      trace::Write(L"Error opening dest file");
      return destCode;
    }
    return crypt_code::Done;
  }

  // Makes the new content durable and puts it in the item's place or under its new name.
  int Finish() {
    bool flushed = FlushFileBuffers(out.get()) != FALSE;
    in.reset();
    out.reset();
    if (!flushed) return crypt_code::ReadWriteFailed;
    bool placed;
    if (target_ == path_) {
      placed = temporary_.ReplaceItem(path_);
    } else {
      DWORD attributes = GetFileAttributesW(path_.c_str());
      placed = temporary_.TakeName(target_, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY));
    }
    if (!placed) {
      trace::Write(L"Error replacing ", target_);
      return crypt_code::ReplaceFailed;
    }
    return crypt_code::Done;
  }

  UniqueFile in, out;
};

}  // namespace

int EncryptFileAs(HWND, const std::wstring& path, const std::wstring& target, const std::wstring& password) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return crypt_code::NotAFile;

  Rewrite rewrite(path, target, L"mrvtmp");
  if (int code = rewrite.Open(crypt_code::EncryptSourceOpen, crypt_code::EncryptDestOpen)) return code;
  std::vector<uint8_t> bytes = PasswordBytes(password);
  std::optional<Digest> digest = PasswordDigest(bytes.data(), bytes.size());
  if (!digest) return crypt_code::NoDigest;
  if (!WriteAll(rewrite.out.get(), digest->data(), DWORD(digest->size()))) return crypt_code::ReadWriteFailed;

  PasswordCipher cipher;
  if (!cipher.Open(bytes)) return crypt_code::CipherFailed;
  if (int code = Transform(rewrite.in.get(), rewrite.out.get(), cipher, Direction::Encrypt)) return code;
  return rewrite.Finish();
}

int DecryptFileAs(HWND, const std::wstring& path, const std::wstring& target, const std::wstring& password) {
  // Only the first three characters of the prefix make the name: "WexXXXX.tmp".
  Rewrite rewrite(path, target, L"Wex4Temp");
  if (int code = rewrite.Open(crypt_code::DecryptSourceOpen, crypt_code::DecryptDestOpen)) return code;
  Digest stored{};
  DWORD got = 0;
  if (!ReadUpTo(rewrite.in.get(), stored.data(), DWORD(stored.size()), got)) return crypt_code::ReadWriteFailed;
  if (got < stored.size()) return crypt_code::TooShort;

  PasswordCipher cipher;
  if (!cipher.Open(PasswordBytes(password))) return crypt_code::CipherFailed;
  if (int code = Transform(rewrite.in.get(), rewrite.out.get(), cipher, Direction::Decrypt)) return code;
  return rewrite.Finish();
}

int EncryptFile(HWND owner, const std::wstring& path, const std::wstring& password) {
  return EncryptFileAs(owner, path, path, password);
}

int DecryptFile(HWND owner, const std::wstring& path, const std::wstring& password) {
  return DecryptFileAs(owner, path, path, password);
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
