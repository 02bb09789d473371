#include <gtest/gtest.h>

#include "CryptTestSupport.h"
#include "crypt/EncryptedFile.h"
#include "crypt/PasswordCipher.h"
#include "crypt/PasswordDigest.h"
#include "support/TestSupport.h"

namespace {

const std::wstring kPassword = L"Secret Pass";
// MD5 of "Secret Pass" as UTF-16LE with its terminator (Python's hashlib).
const char kPasswordDigest[] = "cc3d4d15c2eee1af777f5f1df9a21935";

std::string Digest(const std::string& bytes) {
  auto digest = PasswordDigest(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return digest ? std::string(digest->begin(), digest->end()) : "(failed)";
}

std::string Pattern(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = char((i * 31 + 7) & 0xFF);
  return bytes;
}

std::string Xor(std::string a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) a[i] = char(a[i] ^ b[i]);
  return a;
}

TEST(PasswordDigest, MatchesTheMd5TestSuite) {
  // RFC 1321, appendix A.5.
  EXPECT_EQ(ToHex(Digest("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(ToHex(Digest("a")), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(ToHex(Digest("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(ToHex(Digest("message digest")), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(ToHex(Digest("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(PasswordDigest, HashesTheUtf16UnitsAndTheTerminator) {
  std::vector<uint8_t> abc = PasswordBytes(L"abc");
  EXPECT_EQ(std::string(abc.begin(), abc.end()), std::string("a\0b\0c\0\0\0", 8));
  EXPECT_EQ(PasswordBytes(L"").size(), 2u);
  std::vector<uint8_t> wide = PasswordBytes(L"\x00e9\x20ac");  // é €
  EXPECT_EQ(std::string(wide.begin(), wide.end()), std::string("\xe9\x00\xac\x20\x00\x00", 6));
  std::vector<uint8_t> bytes = PasswordBytes(kPassword);
  EXPECT_EQ(ToHex(Digest(std::string(bytes.begin(), bytes.end()))), kPasswordDigest);
}

TEST(Rc4Reference, MatchesRfc6229) {
  // RFC 6229, 128-bit key 0x0102030405060708090a0b0c0d0e0f10, offsets 0, 16, 4080 and 4096.
  std::string stream = Rc4Keystream(FromHex("0102030405060708090a0b0c0d0e0f10"), 4112);
  EXPECT_EQ(ToHex(stream.substr(0, 32)), "9ac7cc9a609d1ef7b2932899cde41b975248c4959014126a6e8a84f11d1a9e1c");
  EXPECT_EQ(ToHex(stream.substr(4080, 32)), "ff38265c1642c1abe8d3c2fe5e572bf8a36a4c301ae8ac13610ccbc12256cacc");
  // 40-bit key 0x0102030405, offset 0.
  EXPECT_EQ(ToHex(Rc4Keystream(FromHex("0102030405"), 16)), "b2396305f03dc027ccc3524a0a1118a8");
}

TEST(EncryptFile, WritesTheCheckValueThenOneRc4KeystreamKeyedWithIt) {
  TempDir dir;
  std::wstring path = dir.File(L"zeros.bin", std::string(10000, '\0'));
  ASSERT_EQ(EncryptFile(nullptr, path, kPassword), 0);
  std::string encrypted = ReadBytes(path);
  ASSERT_EQ(encrypted.size(), 16u + 10000u);
  EXPECT_EQ(ToHex(encrypted.substr(0, 16)), kPasswordDigest);
  std::string body = encrypted.substr(16);
  // OpenSSL's RC4 keyed with the digest, over zeros: offsets 0, 4080, 4096 (across the first block
  // boundary) and 9984.
  EXPECT_EQ(ToHex(body.substr(0, 16)), "0ad5809b3858b3ce2ca1e49bb5a58ad1");
  EXPECT_EQ(ToHex(body.substr(4080, 32)), "1a6bdc7199e20e0b37d4688f5e7e150a361e071151d7da2b5f5e714ec7387e40");
  EXPECT_EQ(ToHex(body.substr(9984)), "1a2dcd32c310dc4bcecbf0df0445ea59");
  EXPECT_TRUE(body == Rc4Keystream(FromHex(kPasswordDigest), 10000));
  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());

  ASSERT_EQ(DecryptFile(nullptr, path, kPassword), 0);
  EXPECT_TRUE(ReadBytes(path) == std::string(10000, '\0'));
  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(EncryptFile, RoundTripsEmptyBlockSizedAndLongerFiles) {
  TempDir dir;
  for (size_t length : {size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(4097), size_t(10000)}) {
    SCOPED_TRACE(length);
    std::string plain = Pattern(length);
    std::wstring path = dir.File(L"file.txt", plain);
    ASSERT_EQ(EncryptFile(nullptr, path, kPassword), 0);
    std::string encrypted = ReadBytes(path);
    EXPECT_EQ(encrypted.size(), 16 + length);
    EXPECT_EQ(ToHex(encrypted.substr(0, 16)), kPasswordDigest);
    EXPECT_TRUE(Xor(encrypted.substr(16), plain) == Rc4Keystream(FromHex(kPasswordDigest), length));
    if (length) {
      EXPECT_NE(encrypted.substr(16), plain);
    }

    // The same password gives the same bytes every time.
    std::wstring again = dir.File(L"again.txt", plain);
    ASSERT_EQ(EncryptFile(nullptr, again, kPassword), 0);
    EXPECT_TRUE(ReadBytes(again) == encrypted);

    EXPECT_TRUE(CheckPassword(path, kPassword));
    ASSERT_EQ(DecryptFile(nullptr, path, kPassword), 0);
    EXPECT_TRUE(ReadBytes(path) == plain);
  }
  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(CheckPassword, AcceptsOnlyTheExactPassword) {
  TempDir dir;
  std::wstring path = dir.File(L"a.txt", "content");
  ASSERT_EQ(EncryptFile(nullptr, path, kPassword), 0);
  EXPECT_TRUE(CheckPassword(path, kPassword));
  EXPECT_FALSE(CheckPassword(path, L"secret pass"));
  EXPECT_FALSE(CheckPassword(path, L"SECRET PASS"));
  EXPECT_FALSE(CheckPassword(path, L""));
  EXPECT_FALSE(CheckPassword(dir / L"missing.txt", kPassword));
  std::string digestOnly = ReadBytes(path).substr(0, 15);
  EXPECT_FALSE(CheckPassword(dir.File(L"short.txt", digestOnly), kPassword));

  std::wstring empty = dir.File(L"empty-password.txt", "x");
  ASSERT_EQ(EncryptFile(nullptr, empty, L""), 0);
  EXPECT_EQ(ToHex(ReadBytes(empty).substr(0, 16)), ToHex(Digest(std::string(2, '\0'))));
  EXPECT_TRUE(CheckPassword(empty, L""));
}

TEST(EncryptFile, FailuresLeaveTheItemAndNoTemporaryFile) {
  TempDir dir;
  TraceCapture trace;
  EXPECT_EQ(EncryptFile(nullptr, dir.Folder(L"folder"), kPassword), 1);
  EXPECT_EQ(EncryptFile(nullptr, dir / L"missing.txt", kPassword), 3);
  EXPECT_EQ(trace.Count("Error opening source file"), 1);

  std::wstring shortFile = dir.File(L"short.qxenc", "0123456789");
  EXPECT_EQ(DecryptFile(nullptr, shortFile, kPassword), 6);
  EXPECT_EQ(ReadBytes(shortFile), "0123456789");
  EXPECT_EQ(DecryptFile(nullptr, dir / L"missing.qxenc", kPassword), 4);

  // Another program holds the file open without letting it be replaced: the last step fails.
  std::string plain = Pattern(5000);
  std::wstring held = dir.File(L"held.txt", plain);
  HANDLE other = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(EncryptFile(nullptr, held, kPassword), 9);
  CloseHandle(other);
  EXPECT_TRUE(ReadBytes(held) == plain);

  // Another program is writing the file: it cannot be read safely.
  other = CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(EncryptFile(nullptr, held, kPassword), 3);
  CloseHandle(other);

  ASSERT_EQ(EncryptFile(nullptr, held, kPassword), 0);
  std::string encrypted = ReadBytes(held);
  other = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(DecryptFile(nullptr, held, kPassword), 9);
  CloseHandle(other);
  EXPECT_TRUE(ReadBytes(held) == encrypted);

  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(EncryptFile, ACipherFailureReturnsSevenAndLeavesTheItem) {
  TempDir dir;
  std::string plain = Pattern(10000);
  std::wstring path = dir.File(L"cipher.txt", plain);
  // At the key setup, and at the second block, after one block went to the temporary file.
  for (int step : {0, 2}) {
    SCOPED_TRACE(step);
    SimulateCipherFailure(step);
    EXPECT_EQ(EncryptFile(nullptr, path, kPassword), 7);
    EXPECT_TRUE(ReadBytes(path) == plain);
  }
  ASSERT_EQ(EncryptFile(nullptr, path, kPassword), 0);
  std::string encrypted = ReadBytes(path);
  for (int step : {0, 3}) {
    SCOPED_TRACE(step);
    SimulateCipherFailure(step);
    EXPECT_EQ(DecryptFile(nullptr, path, kPassword), 7);
    EXPECT_TRUE(ReadBytes(path) == encrypted);
  }
  SimulateCipherFailure(-1);
  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(EncryptFile, FolderPathsTooLongForATemporaryNameAreRefused) {
  TempDir dir;
  std::wstring deep = dir.path() + L"\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep.substr(0, deep.rfind(L'\\'))).c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  std::wstring path = deep + L"\\f.txt";
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  TraceCapture trace;
  EXPECT_EQ(EncryptFile(nullptr, path, kPassword), 2);
  EXPECT_EQ(DecryptFile(nullptr, path, kPassword), 2);
  EXPECT_EQ(trace.Count("GetTempFileName failed!"), 2);
  EXPECT_TRUE(Exists(L"\\\\?\\" + path));
}

TEST(EncryptFile, KeepsTheReadOnlyAttribute) {
  TempDir dir;
  std::wstring path = dir.File(L"ro.txt", "read only");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(EncryptFile(nullptr, path, kPassword), 0);
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_EQ(DecryptFile(nullptr, path, kPassword), 0);
  EXPECT_EQ(ReadBytes(path), "read only");
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

}  // namespace
