// The maker's signature on a release: made by scripts/sign-update at build time with the test maker's key
// (and once with another key), checked here against the installer bytes.
#include <gtest/gtest.h>

#include <string>

#include "UpdateServer.h"
#include "base/Trace.h"
#include "support/TestSupport.h"
#include "updater/InstallerSignature.h"
#include "updater/Network.h"

const MakerKey& TestMakerKey();

namespace {

VersionFile Release(const wchar_t* name) {
  VersionFile release;
  EXPECT_TRUE(ParseVersionFile(TestDataFolder() + name, release)) << trace::ToUtf8(name);
  return release;
}

// Whether the bytes, as an installer, pass for the release.
bool Verifies(const std::string& installer, const VersionFile& release, const MakerKey& key = TestMakerKey()) {
  TempDir dir;
  std::wstring path = dir.File(L"BrivaneSetup-2.3.0.exe", installer);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  bool verified = VerifyInstaller(file, release, key);
  CloseHandle(file);
  return verified;
}

std::string Installer() { return ReadBytes(TestDataFolder() + L"BrivaneTestInstaller.exe"); }

TEST(InstallerSignature, TheSignedReleaseVerifiesAndKeepsTheThreeLinesOlderUpdatersRead) {
  VersionFile release = Release(L"signed.ver");
  EXPECT_EQ(release.version, L"2.3.0");
  EXPECT_EQ(release.installerUrl, L"http://brivane.example/downloads/BrivaneSetup-2.3.0.exe");
  ASSERT_FALSE(Installer().empty());
  EXPECT_TRUE(Verifies(Installer(), release));
#ifdef BRIVANE_UPDATE_KEY_IS_TEST_KEY
  // Built without the maker's key, the program trusts the test key the releases were signed with.
  EXPECT_EQ(BuiltInMakerKey(), TestMakerKey());
#endif
}

TEST(InstallerSignature, NothingButTheSignedBytesAsTheSignedReleasePasses) {
  const std::string installer = Installer();
  const VersionFile signedRelease = Release(L"signed.ver");
  std::string tampered = installer;
  tampered[tampered.size() / 2] ^= 0x01;

  struct Case {
    const char* what;
    std::string bytes;
    VersionFile release;
  };
  std::vector<Case> cases = {
      {"a tampered installer", tampered, signedRelease},
      {"an installer with bytes added", installer + "MZ", signedRelease},
      {"a release signed with another key", installer, Release(L"other-key.ver")},
      {"an unsigned release", installer, signedRelease},
      {"another version", installer, signedRelease},
      {"another address", installer, signedRelease},
      {"a changed signature", installer, signedRelease},
      {"a cut signature", installer, signedRelease},
  };
  cases[3].release.signature.clear();
  cases[4].release.version = L"2.4.0";
  cases[5].release.installerUrl = L"http://brivane.example/downloads/Other.exe";
  wchar_t& digit = cases[6].release.signature[20];
  digit = digit == L'0' ? L'1' : L'0';
  cases[7].release.signature.resize(cases[7].release.signature.size() - 2);
  for (const Case& c : cases) EXPECT_FALSE(Verifies(c.bytes, c.release)) << c.what;

  MakerKey otherPoint = TestMakerKey();
  otherPoint[63] ^= 0x01;  // not a point of the curve any more
  EXPECT_FALSE(Verifies(installer, signedRelease, otherPoint));
}

TEST(InstallerSignature, TheLineIsTheTagAnd128HexDigits) {
  const std::wstring digits(128, L'a');
  EcdsaSignature signature{};
  EXPECT_TRUE(ParseSignatureLine(L"ECDSA-P256 " + digits, signature));
  EXPECT_EQ(signature[0], 0xAA);
  EXPECT_TRUE(ParseSignatureLine(L"ECDSA-P256 " + std::wstring(128, L'F') + L" \t\r", signature));
  EXPECT_EQ(signature[63], 0xFF);
  for (const std::wstring& line : {L"ECDSA-P256 " + digits.substr(1), L"ECDSA-P256 " + digits + L"0",
                                   L"ECDSA-P256  " + digits, L"ecdsa-p256 " + digits, digits,
                                   L"ECDSA-P256 " + digits.substr(2) + L"g0", std::wstring()})
    EXPECT_FALSE(ParseSignatureLine(line, signature)) << trace::ToUtf8(line);
}

TEST(DownloadFileName, IsTheLastSegmentWhenItCanOnlyNameAFileInTheFolder) {
  const struct {
    const wchar_t* url;
    const wchar_t* name;
  } cases[] = {
      {L"http://brivane.example/downloads/BrivaneSetup-2.3.0.exe", L"BrivaneSetup-2.3.0.exe"},
      {L"http://brivane.example/assets/files/QX64.ver", L"QX64.ver"},
      {L"http://brivane.example/downloads/", L""},
      {L"BrivaneSetup.exe", L""},
      {L"http://brivane.example/downloads/..", L""},
      {L"http://brivane.example/..%5c..%5cStartup%5cx.exe", L""},
      {L"http://brivane.example/..\\..\\Startup\\x.exe", L""},
      {L"http://brivane.example/C:\\Windows\\x.exe", L""},
      {L"http://brivane.example/x.exe:stream", L""},
      {L"http://brivane.example/setup.exe?session=1", L""},
      {L"http://brivane.example/setup.exe.", L""},
      {L"http://brivane.example/NUL.exe", L""},
      {L"http://brivane.example/com1", L""},
      {L"http://brivane.example/a..b.exe", L""},
      {L"http://brivane.example/console.exe", L"console.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(DownloadFileName(c.url), c.name) << trace::ToUtf8(c.url);
}

}  // namespace
